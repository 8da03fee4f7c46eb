#pragma once

#include <cstdint>
#include <vector>

#include "draw/bitmap.h"
#include "draw/rect.h"

namespace Skin {

// The drawing surface of a window: 32-bit premultiplied pixels 0xAARRGGBB, like
// a top-down DIB. Every operation is clipped to the current clip rectangle.
// Colours handed in are straight alpha (as the skins write them).
class Canvas {
public:
    void Resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    const uint32_t* pixels() const { return pixels_.data(); }
    uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    void Clear(uint32_t premultiplied);
    const IntRect& clip() const { return clip_; }

    // Narrows the clip for the life of the object.
    class ClipScope {
    public:
        ClipScope(Canvas& canvas, const IntRect& rect);
        ~ClipScope();
        ClipScope(const ClipScope&) = delete;
        ClipScope& operator=(const ClipScope&) = delete;

    private:
        Canvas& canvas_;
        IntRect saved_;
    };

    void FillRect(const IntRect& rect, uint32_t argb);
    // A border of the given width inside rect.
    void DrawBorder(const IntRect& rect, int size, uint32_t argb);
    // A rounded border inside rect with corner ellipses of ellipseWidth by
    // ellipseHeight, anti-aliased.
    void DrawRoundBorder(const IntRect& rect, int size, int ellipseWidth, int ellipseHeight,
                         uint32_t argb);
    // Coverage 0..255 of a straight-alpha colour at one pixel (glyphs).
    void BlendCoverage(int x, int y, uint32_t argb, uint8_t coverage);

    // Draws the source part of a bitmap into dest, stretched (nearest pixel)
    // or tiled per axis, at constant opacity fade.
    void DrawBitmap(const Bitmap& bitmap, const IntRect& source, const IntRect& dest, uint8_t fade,
                    bool xtiled, bool ytiled);

private:
    void BlendSpan(int x0, int x1, int y, uint32_t premultiplied);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    IntRect clip_;
};

}  // namespace Skin
