#include "draw/canvas.h"

#include <algorithm>
#include <cmath>

namespace Skin {
namespace {

inline uint32_t Scale(uint32_t premultiplied, uint32_t factor) {
    if (factor >= 255) return premultiplied;
    const uint32_t rb = ((premultiplied & 0x00FF00FF) * factor + 0x00800080) >> 8 & 0x00FF00FF;
    const uint32_t ag = (((premultiplied >> 8) & 0x00FF00FF) * factor + 0x00800080) & 0xFF00FF00;
    return rb | ag;
}

// Source over destination, both premultiplied.
inline uint32_t Over(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    return src + Scale(dst, 255 - a);
}

}  // namespace

void Canvas::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<size_t>(width_) * height_, 0);
    clip_ = {0, 0, width_, height_};
}

void Canvas::Clear(uint32_t premultiplied) {
    std::fill(pixels_.begin(), pixels_.end(), premultiplied);
}

Canvas::ClipScope::ClipScope(Canvas& canvas, const IntRect& rect)
    : canvas_(canvas), saved_(canvas.clip_) {
    canvas_.clip_ = Intersect(canvas_.clip_, rect);
}

Canvas::ClipScope::~ClipScope() { canvas_.clip_ = saved_; }

void Canvas::BlendSpan(int x0, int x1, int y, uint32_t premultiplied) {
    if (y < clip_.top || y >= clip_.bottom) return;
    x0 = std::max(x0, clip_.left);
    x1 = std::min(x1, clip_.right);
    uint32_t* row = pixels_.data() + static_cast<size_t>(y) * width_;
    if ((premultiplied >> 24) == 255) {
        std::fill(row + std::max(x0, 0), row + std::max(x1, x0), premultiplied);
        return;
    }
    for (int x = x0; x < x1; ++x) row[x] = Over(premultiplied, row[x]);
}

void Canvas::FillRect(const IntRect& rect, uint32_t argb) {
    const IntRect area = Intersect(rect, clip_);
    const uint32_t color = Premultiply(argb);
    for (int y = area.top; y < area.bottom; ++y) BlendSpan(area.left, area.right, y, color);
}

void Canvas::DrawBorder(const IntRect& rect, int size, uint32_t argb) {
    if (size <= 0 || IsEmptyArea(rect)) return;
    size = std::min({size, Width(rect) / 2 + 1, Height(rect) / 2 + 1});
    FillRect({rect.left, rect.top, rect.right, rect.top + size}, argb);
    FillRect({rect.left, rect.bottom - size, rect.right, rect.bottom}, argb);
    FillRect({rect.left, rect.top + size, rect.left + size, rect.bottom - size}, argb);
    FillRect({rect.right - size, rect.top + size, rect.right, rect.bottom - size}, argb);
}

void Canvas::DrawRoundBorder(const IntRect& rect, int size, int ellipseWidth, int ellipseHeight,
                             uint32_t argb) {
    if (size <= 0 || IsEmptyArea(rect)) return;
    const double rx = std::min(ellipseWidth / 2.0, Width(rect) / 2.0);
    const double ry = std::min(ellipseHeight / 2.0, Height(rect) / 2.0);
    if (rx < 1.0 || ry < 1.0) {
        DrawBorder(rect, size, argb);
        return;
    }
    // Coverage of the ring between the outer rounded rectangle and the inner
    // one, sampled 4x4 per pixel near the corners.
    auto inside = [&](double px, double py, double inset) {
        const double left = rect.left + inset;
        const double top = rect.top + inset;
        const double right = rect.right - inset;
        const double bottom = rect.bottom - inset;
        if (px < left || px >= right || py < top || py >= bottom) return false;
        const double erx = std::max(rx - inset, 0.0);
        const double ery = std::max(ry - inset, 0.0);
        if (erx <= 0.0 || ery <= 0.0) return true;
        const double cx = std::clamp(px, left + erx, right - erx);
        const double cy = std::clamp(py, top + ery, bottom - ery);
        const double dx = (px - cx) / erx;
        const double dy = (py - cy) / ery;
        return dx * dx + dy * dy <= 1.0;
    };
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const bool nearEdge = x < rect.left + size + rx || x >= rect.right - size - rx ||
                                  y < rect.top + size + ry || y >= rect.bottom - size - ry;
            if (!nearEdge) continue;
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4.0;
                    const double py = y + (sy + 0.5) / 4.0;
                    if (inside(px, py, 0.0) && !inside(px, py, size)) ++hits;
                }
            }
            if (hits > 0) BlendCoverage(x, y, argb, static_cast<uint8_t>(hits * 255 / 16));
        }
    }
}

void Canvas::BlendCoverage(int x, int y, uint32_t argb, uint8_t coverage) {
    if (!Contains(clip_, x, y) || coverage == 0) return;
    const uint32_t alpha = ((argb >> 24) * coverage + 127) / 255;
    const uint32_t color = Premultiply((alpha << 24) | (argb & 0xFFFFFF));
    uint32_t& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
    pixel = Over(color, pixel);
}

void Canvas::DrawBitmap(const Bitmap& bitmap, const IntRect& source, const IntRect& dest,
                        uint8_t fade, bool xtiled, bool ytiled) {
    const IntRect src = Intersect(source, {0, 0, bitmap.width, bitmap.height});
    if (IsEmptyArea(src) || IsEmptyArea(dest) || fade == 0) return;
    const IntRect area = Intersect(dest, clip_);
    if (IsEmptyArea(area)) return;
    const int srcW = Width(src);
    const int srcH = Height(src);
    const int dstW = Width(dest);
    const int dstH = Height(dest);
    // Source column of every destination column: the pixel whose centre is
    // nearest when stretching, the wrapped one when tiling.
    std::vector<int> columns(static_cast<size_t>(Width(area)));
    for (int x = area.left; x < area.right; ++x) {
        const int offset = x - dest.left;
        columns[x - area.left] =
            src.left +
            (xtiled ? offset % srcW : static_cast<int>((2LL * offset + 1) * srcW / (2LL * dstW)));
    }
    for (int y = area.top; y < area.bottom; ++y) {
        const int offset = y - dest.top;
        const int sy =
            src.top +
            (ytiled ? offset % srcH : static_cast<int>((2LL * offset + 1) * srcH / (2LL * dstH)));
        const uint32_t* srcRow = bitmap.pixels.data() + static_cast<size_t>(sy) * bitmap.width;
        uint32_t* dstRow = pixels_.data() + static_cast<size_t>(y) * width_;
        for (int x = area.left; x < area.right; ++x) {
            dstRow[x] = Over(Scale(srcRow[columns[x - area.left]], fade), dstRow[x]);
        }
    }
}

}  // namespace Skin
