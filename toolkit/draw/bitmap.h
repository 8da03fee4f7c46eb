#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace Skin {

// A decoded picture: 32-bit premultiplied pixels 0xAARRGGBB, row after row.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Decodes a PNG (or any format stb_image reads). Pixels whose RGB equals
// maskRgb (0x00RRGGBB; 0 = no mask) become transparent. Null when the bytes
// do not decode.
std::shared_ptr<const Bitmap> DecodeBitmap(std::string_view bytes, uint32_t maskRgb);

// Straight-alpha 0xAARRGGBB to premultiplied.
inline uint32_t Premultiply(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb;
    auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
           scale(argb & 0xFF);
}

}  // namespace Skin
