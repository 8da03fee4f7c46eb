#include "ui/shadow_bitmap.h"

#include <algorithm>
#include <cmath>

namespace {

// One shadow row's span: x from left up to right (exclusive).
struct Span {
    int left = 0;
    int right = 0;
    bool empty() const { return left >= right; }
};

// Writes outside the bitmap are dropped, so no look can reach past it.
class TopDownPixels {
public:
    explicit TopDownPixels(ShadowBitmap& bitmap) : bitmap_(bitmap) {}

    void Raise(int x, int y, uint32_t value) {
        if (!Inside(x, y)) return;
        uint32_t& pixel = At(x, y);
        pixel = std::max(pixel, value);
    }
    void Fill(int y, int from, int to, uint32_t value) {
        if (y < 0 || y >= bitmap_.height) return;
        for (int x = std::max(from, 0); x < std::min(to, bitmap_.width); ++x) At(x, y) = value;
    }

private:
    bool Inside(int x, int y) const {
        return x >= 0 && y >= 0 && x < bitmap_.width && y < bitmap_.height;
    }
    uint32_t& At(int x, int y) {
        return bitmap_.pixels[static_cast<size_t>(bitmap_.height - 1 - y) * bitmap_.width + x];
    }

    ShadowBitmap& bitmap_;
};

// A square of (2 * radius + 1) pixels: full darkness inside the solid centre,
// then fading linearly over sharpness + 1 pixels.
class Kernel {
public:
    Kernel(const ShadowLook& look)
        : radius_(std::max(look.size, look.sharpness)),
          side_(2 * radius_ + 1),
          pixels_(static_cast<size_t>(side_) * side_, 0) {
        const int centre = std::max(look.size - look.sharpness, 0);
        for (int i = 0; i < side_; ++i) {
            for (int j = 0; j < side_; ++j) {
                const double di = i - radius_;
                const double dj = j - radius_;
                const double distance = std::sqrt(di * di + dj * dj);
                int alpha = 0;
                if (distance < centre) {
                    alpha = look.darkness;
                } else if (distance <= radius_) {
                    alpha = static_cast<int>((1 - (distance - centre) / (look.sharpness + 1)) *
                                             look.darkness);
                }
                pixels_[static_cast<size_t>(i) * side_ + j] = ShadowPixel(look.color, alpha);
            }
        }
    }

    int radius() const { return radius_; }

    // Keeps the darker of the kernel and what is there, centred on x, y.
    void Stamp(TopDownPixels& target, int x, int y) const {
        for (int i = 0; i < side_; ++i) {
            for (int j = 0; j < side_; ++j) {
                target.Raise(x - radius_ + j, y - radius_ + i,
                             pixels_[static_cast<size_t>(i) * side_ + j]);
            }
        }
    }

private:
    int radius_;
    int side_;
    std::vector<uint32_t> pixels_;
};

// Narrows every span by one pixel on each side, and by its neighbours.
std::vector<Span> Erode(const std::vector<Span>& spans) {
    std::vector<Span> eroded = spans;
    for (size_t i = 1; i + 1 < spans.size(); ++i) {
        eroded[i].left = std::max({spans[i - 1].left, spans[i].left, spans[i + 1].left}) + 1;
        eroded[i].right = std::min({spans[i - 1].right, spans[i].right, spans[i + 1].right}) - 1;
    }
    return eroded;
}

}  // namespace

uint32_t ShadowPixel(uint32_t color, int alpha) {
    const auto a = static_cast<uint32_t>(alpha);
    const uint32_t red = color & 0xFF;
    const uint32_t green = (color >> 8) & 0xFF;
    const uint32_t blue = (color >> 16) & 0xFF;
    return a << 24 | (red * a / 255) << 16 | (green * a / 255) << 8 | (blue * a / 255);
}

ShadowBitmap ComputeShadow(int ownerWidth, const std::vector<OwnerRow>& ownerRows,
                           const ShadowLook& look) {
    const int ownerHeight = static_cast<int>(ownerRows.size());
    const int size = look.size;
    ShadowBitmap bitmap;
    bitmap.width = ownerWidth + 2 * size;
    bitmap.height = ownerHeight + 2 * size;
    if (ownerWidth <= 0 || ownerHeight <= 0 || bitmap.width <= 0 || bitmap.height <= 0) return {};
    bitmap.pixels.assign(static_cast<size_t>(bitmap.width) * bitmap.height, 0);
    TopDownPixels pixels(bitmap);

    // The owner's own spans, and the shadow rows' spans shifted by the size
    // with an empty guard row at each end: spans[i + 1] is shadow row i.
    const Span none{ownerWidth, 0};
    std::vector<Span> owner(ownerRows.size(), none);
    std::vector<Span> spans(static_cast<size_t>(bitmap.height) + 2, none);
    for (int y = 0; y < ownerHeight; ++y) {
        const OwnerRow& row = ownerRows[y];
        if (row.end <= row.first) continue;
        owner[y] = {row.first, row.end};
        const int shadowRow = y + size;
        if (shadowRow >= 0 && shadowRow < bitmap.height) {
            spans[shadowRow + 1] = {row.first + size, row.end + size};
        }
    }
    for (int i = 0; i < look.sharpness - size; ++i) spans = Erode(spans);

    // The soft edge: the kernel along both ends of every span.
    const Kernel kernel(look);
    const int radius = kernel.radius();
    for (int i = radius; i < bitmap.height - radius; ++i) {
        const Span& span = spans[i + 1];
        if (span.empty()) continue;
        const Span& above = spans[i];
        const Span& below = spans[i + 2];
        int x = span.left;
        for (; x < std::min(std::max(above.left, below.left) + 1, span.right); ++x) {
            kernel.Stamp(pixels, x, i);
        }
        for (x = std::max(x, std::min(above.right, below.right) - 1); x < span.right; ++x) {
            kernel.Stamp(pixels, x, i);
        }
    }

    // The full shadow inside the spans, and nothing under the owner itself.
    const uint32_t full = ShadowPixel(look.color, look.darkness);
    const int firstRow = std::min(radius, std::max(size - look.offsetY, 0));
    const int endRow = std::max(bitmap.height - radius,
                                std::min(ownerHeight + size - look.offsetY, bitmap.height));
    for (int i = std::max(firstRow, 0); i < std::min(endRow, bitmap.height); ++i) {
        const Span& span = spans[i + 1];
        const int ownerRow = i - size + look.offsetY;
        if (ownerRow < 0 || ownerRow >= ownerHeight) {
            pixels.Fill(i, span.left, span.right, full);
            continue;
        }
        const int ownerLeft = owner[ownerRow].left + size - look.offsetX;
        const int ownerRight = owner[ownerRow].right + size - look.offsetX;
        pixels.Fill(i, span.left, std::min(ownerLeft, span.right), full);
        pixels.Fill(i, ownerLeft, ownerRight, 0);
        pixels.Fill(i, std::max(ownerRight, span.left), span.right, full);
    }
    return bitmap;
}
