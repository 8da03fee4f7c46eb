#include "artwork.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "text.h"

namespace {

std::vector<unsigned char> DecodedPng(const std::string& path, int& width, int& height) {
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!pixels) return {};
    std::vector<unsigned char> bytes(pixels, pixels + static_cast<size_t>(width) * height * 4);
    stbi_image_free(pixels);
    return bytes;
}

// The checked-in pictures are exactly what the generator draws, so anyone can
// redraw them and the art has one source.
TEST(Artwork, CheckedInPicturesAreTheGeneratorsOutput) {
    const skin_art::TextRenderer text(skin_art::kDefaultFontPath);
    ASSERT_TRUE(text.ok());
    auto images = skin_art::MakeSkinImages(text);
    ASSERT_EQ(images.size(), 60u);
    for (auto& other : skin_art::MakeOtherImages()) images.push_back(std::move(other));
    for (const skin_art::Artwork& image : images) {
        SCOPED_TRACE(image.path);
        int width = 0, height = 0;
        const auto checkedIn =
            DecodedPng(std::string(SKIN_SOURCE_FOLDER) + "/" + image.path, width, height);
        ASSERT_FALSE(checkedIn.empty());
        EXPECT_EQ(width, image.picture.width());
        EXPECT_EQ(height, image.picture.height());
        EXPECT_TRUE(checkedIn == image.picture.ToRgba8()) << "run skin_art installer/skin";
    }
}

}  // namespace
