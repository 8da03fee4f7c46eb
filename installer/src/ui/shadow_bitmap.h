#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The look of a computed drop shadow, as the skin's shadow attributes set it.
struct ShadowLook {
    int size = 0;        // how far the shadow reaches past the owner, -20 to 20
    int sharpness = 5;   // width of the soft edge, 0 to 20
    int darkness = 150;  // alpha of the full shadow, 0 to 255
    int offsetX = 5;     // -20 to 20
    int offsetY = 5;     // -20 to 20
    uint32_t color = 0;  // red in the lowest byte, green next, then blue
};

// The part of one owner row that lies inside the owner's window region:
// x from first up to end (exclusive); end <= first when the row has none.
struct OwnerRow {
    int first = 0;
    int end = 0;
};

// Premultiplied BGRA pixels (0xAARRGGBB), rows bottom-up as in a bottom-up
// DIB: pixels[0] is the left pixel of the bottom row.
struct ShadowBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    // Top-down addressing, for readers.
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(height - 1 - y) * width + x];
    }
};

// The shadow of an owner ownerWidth wide with one entry per owner row. It is
// ownerWidth + 2 * size by rows + 2 * size pixels, to be placed size pixels
// up and left of the owner, moved by the offset; the pixels under the owner
// stay transparent. Empty when that size is not positive.
ShadowBitmap ComputeShadow(int ownerWidth, const std::vector<OwnerRow>& ownerRows,
                           const ShadowLook& look);

// The colour at that alpha: alpha in the top byte, then premultiplied red,
// green and blue.
uint32_t ShadowPixel(uint32_t color, int alpha);
