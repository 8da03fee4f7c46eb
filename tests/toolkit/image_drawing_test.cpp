#include "draw/image_drawing.h"

#include <gtest/gtest.h>

#include <vector>

#include "draw/bitmap.h"
#include "draw/canvas.h"
#include "draw/png_encoding.h"

namespace Skin {
namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kBackground = 0xFF202020;

Bitmap MakeBitmap(int width, int height, std::vector<uint32_t> pixels) {
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels = std::move(pixels);
    return bitmap;
}

Canvas MakeCanvas(int width, int height) {
    Canvas canvas;
    canvas.Resize(width, height);
    canvas.Clear(kBackground);
    return canvas;
}

// The canvas as rows of pixels, for readable failures.
std::vector<std::vector<uint32_t>> Rows(const Canvas& canvas) {
    std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(canvas.height()));
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) rows[y].push_back(canvas.PixelAt(x, y));
    }
    return rows;
}

struct DestinationCase {
    IntRect control;
    IntRect dest;
    IntRect expected;
};

TEST(ImageDestination, IsOffsetFromTheControlAndCutAtItsRightAndBottom) {
    const DestinationCase cases[] = {
        {{2, 2, 10, 10}, {0, 0, 0, 0}, {2, 2, 10, 10}},            // all zero: the whole control
        {{0, 0, 68, 18}, {0, 1, 16, 17}, {0, 1, 16, 17}},          // the check box square
        {{10, 20, 110, 40}, {84, 2, 100, 18}, {94, 22, 110, 38}},  // the arrow after a link
        {{0, 0, 10, 10}, {4, 4, 100, 100}, {4, 4, 10, 10}},        // cut at the control's edge
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ImageDestination(c.control, c.dest), c.expected)
            << c.dest.left << "," << c.dest.top << "," << c.dest.right << "," << c.dest.bottom;
    }
}

TEST(DrawImage, StretchesTheWholeImageOverTheWholeControl) {
    const Bitmap quads = MakeBitmap(2, 2, {kRed, kGreen, kBlue, kWhite});
    Canvas canvas = MakeCanvas(6, 6);
    DrawImage(canvas, &quads, {1, 1, 5, 5}, ImageDescription{});
    const uint32_t B = kBackground;
    const std::vector<std::vector<uint32_t>> expected{
        {B, B, B, B, B, B},
        {B, kRed, kRed, kGreen, kGreen, B},
        {B, kRed, kRed, kGreen, kGreen, B},
        {B, kBlue, kBlue, kWhite, kWhite, B},
        {B, kBlue, kBlue, kWhite, kWhite, B},
        {B, B, B, B, B, B},
    };
    EXPECT_EQ(Rows(canvas), expected);
}

TEST(DrawImage, DestinationOutsideTheControlIsClipped) {
    const Bitmap red = MakeBitmap(1, 1, {kRed});
    Canvas canvas = MakeCanvas(8, 8);
    ImageDescription image;
    image.dest = {2, 2, 50, 50};
    DrawImage(canvas, &red, {0, 0, 4, 4}, image);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 4 && y >= 2 && y < 4;
            EXPECT_EQ(canvas.PixelAt(x, y), inside ? kRed : kBackground) << x << "," << y;
        }
    }
}

TEST(DrawImage, SourcePicksPartOfTheImageAndIsCutToItsSize) {
    const Bitmap strip = MakeBitmap(3, 1, {kRed, kGreen, kBlue});
    Canvas canvas = MakeCanvas(4, 1);
    ImageDescription image;
    image.source = {1, 0, 99, 1};  // right beyond the image: green and blue
    DrawImage(canvas, &strip, {0, 0, 4, 1}, image);
    EXPECT_EQ(Rows(canvas), (std::vector<std::vector<uint32_t>>{{kGreen, kGreen, kBlue, kBlue}}));
}

// A 3x3 image: four corner colours, edges black, centre white.
Bitmap NineGridBitmap() {
    return MakeBitmap(3, 3, {kRed, kBlack, kGreen, kBlack, kWhite, kBlack, kBlue, kBlack, kRed});
}

TEST(DrawImage, NineGridKeepsCornersAndStretchesEdgesAndCentre) {
    const Bitmap grid = NineGridBitmap();
    Canvas canvas = MakeCanvas(5, 4);
    ImageDescription image;
    image.corner = {1, 1, 1, 1};
    DrawImage(canvas, &grid, {0, 0, 5, 4}, image);
    const uint32_t K = kBlack;
    const uint32_t W = kWhite;
    const std::vector<std::vector<uint32_t>> expected{
        {kRed, K, K, K, kGreen},
        {K, W, W, W, K},
        {K, W, W, W, K},
        {kBlue, K, K, K, kRed},
    };
    EXPECT_EQ(Rows(canvas), expected);
}

TEST(DrawImage, HoleLeavesTheNineGridCentreUndrawn) {
    const Bitmap grid = NineGridBitmap();
    Canvas canvas = MakeCanvas(4, 4);
    ImageDescription image;
    image.corner = {1, 1, 1, 1};
    image.hole = true;
    DrawImage(canvas, &grid, {0, 0, 4, 4}, image);
    EXPECT_EQ(canvas.PixelAt(1, 1), kBackground);
    EXPECT_EQ(canvas.PixelAt(2, 2), kBackground);
    EXPECT_EQ(canvas.PixelAt(0, 0), kRed);
    EXPECT_EQ(canvas.PixelAt(1, 0), kBlack);
}

TEST(DrawImage, TilesInsteadOfStretchingPerAxis) {
    const Bitmap pair = MakeBitmap(2, 1, {kRed, kBlue});
    Canvas canvas = MakeCanvas(5, 2);
    ImageDescription image;
    image.xtiled = true;
    DrawImage(canvas, &pair, {0, 0, 5, 2}, image);
    const std::vector<uint32_t> row{kRed, kBlue, kRed, kBlue, kRed};
    EXPECT_EQ(Rows(canvas), (std::vector<std::vector<uint32_t>>{row, row}));
}

TEST(DrawImage, FadeAndTheImagesOwnAlphaBlendOverWhatIsBelow) {
    struct Case {
        uint32_t pixel;  // premultiplied
        uint8_t fade;
        uint32_t expected;
    };
    const Case cases[] = {
        {kWhite, 255, kWhite},         {kWhite, 0, kBlack},  // fade 0 draws nothing
        {kWhite, 128, 0xFF808080},                           // half of white over black
        {0x80808080, 255, 0xFF808080},                       // the image's own half alpha
        {0x80808080, 128, 0xFF404040},                       // both together
    };
    for (const auto& c : cases) {
        const Bitmap bitmap = MakeBitmap(1, 1, {c.pixel});
        Canvas canvas;
        canvas.Resize(1, 1);
        canvas.Clear(kBlack);
        ImageDescription image;
        image.fade = c.fade;
        DrawImage(canvas, &bitmap, {0, 0, 1, 1}, image);
        const uint32_t got = canvas.PixelAt(0, 0);
        // Within one step per channel of rounding.
        for (int shift : {0, 8, 16, 24}) {
            const int a = static_cast<int>((got >> shift) & 0xFF);
            const int b = static_cast<int>((c.expected >> shift) & 0xFF);
            EXPECT_LE(std::abs(a - b), 1) << std::hex << c.pixel << " fade " << std::dec
                                          << int{c.fade} << " got " << std::hex << got;
        }
    }
}

TEST(DrawImage, ColourFillsTheDestinationInsteadOfAnImage) {
    Canvas canvas = MakeCanvas(4, 4);
    ImageDescription image;
    image.color = kGreen;
    image.dest = {1, 1, 3, 3};
    DrawImage(canvas, nullptr, {0, 0, 4, 4}, image);
    EXPECT_EQ(canvas.PixelAt(1, 1), kGreen);
    EXPECT_EQ(canvas.PixelAt(2, 2), kGreen);
    EXPECT_EQ(canvas.PixelAt(0, 0), kBackground);
    EXPECT_EQ(canvas.PixelAt(3, 3), kBackground);
}

TEST(DecodeBitmap, MaskColourBecomesTransparentAndAlphaIsPremultiplied) {
    const std::vector<uint32_t> pixels{kRed, 0x80FFFFFF, kBlue, 0xFFFE0000};
    const std::string png = EncodePng(pixels.data(), 4, 1);
    const auto masked = DecodeBitmap(png, 0xFF0000);
    ASSERT_NE(masked, nullptr);
    ASSERT_EQ(masked->width, 4);
    EXPECT_EQ(masked->At(0, 0) >> 24, 0u);    // exactly the mask colour
    EXPECT_EQ(masked->At(3, 0), 0xFFFE0000);  // one step off is kept
    EXPECT_EQ(masked->At(2, 0), kBlue);
    EXPECT_NEAR(static_cast<int>(masked->At(1, 0) & 0xFF), 0x80, 1);  // premultiplied white

    const auto plain = DecodeBitmap(png, 0);
    EXPECT_EQ(plain->At(0, 0), kRed);
    EXPECT_EQ(DecodeBitmap("not a picture", 0), nullptr);
}

}  // namespace
}  // namespace Skin
