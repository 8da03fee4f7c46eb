#pragma once

#include <algorithm>

#include "markup/markup_values.h"

namespace Skin {

// Rectangles are left/top inclusive, right/bottom exclusive.
inline int Width(const IntRect& r) { return r.right - r.left; }
inline int Height(const IntRect& r) { return r.bottom - r.top; }
inline bool IsEmptyArea(const IntRect& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool Contains(const IntRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
inline IntRect Intersect(const IntRect& a, const IntRect& b) {
    IntRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (IsEmptyArea(r)) return {};
    return r;
}
inline IntRect Deflate(const IntRect& r, const IntRect& by) {
    return {r.left + by.left, r.top + by.top, r.right - by.right, r.bottom - by.bottom};
}

}  // namespace Skin
