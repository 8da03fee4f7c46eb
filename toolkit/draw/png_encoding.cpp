#include "draw/png_encoding.h"

#include <algorithm>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace Skin {
namespace {

void Append(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}

}  // namespace

std::string EncodePng(const uint32_t* pixels, int width, int height) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        const uint32_t p = pixels[i];
        const uint32_t a = p >> 24;
        auto straight = [a](uint32_t c) {
            return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a);
        };
        rgba[i * 4 + 0] = static_cast<uint8_t>(straight((p >> 16) & 0xFF));
        rgba[i * 4 + 1] = static_cast<uint8_t>(straight((p >> 8) & 0xFF));
        rgba[i * 4 + 2] = static_cast<uint8_t>(straight(p & 0xFF));
        rgba[i * 4 + 3] = static_cast<uint8_t>(a);
    }
    std::string png;
    stbi_write_png_to_func(&Append, &png, width, height, 4, rgba.data(), width * 4);
    return png;
}

}  // namespace Skin
