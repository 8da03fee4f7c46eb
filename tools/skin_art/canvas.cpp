#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "png_writer.h"

namespace skin_art {

Color Rgb(unsigned rgb, float alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f,
            alpha};
}

Color Mix(const Color& from, const Color& to, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Paint Solid(Color color) {
    return [color](Point) { return color; };
}

Paint LinearGradient(Point a, Point b, Color from, Color to) {
    const float dx = b.x - a.x, dy = b.y - a.y, lengthSquared = dx * dx + dy * dy;
    return [=](Point p) {
        return Mix(from, to, ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared);
    };
}

Paint RadialGradient(Point centre, float radius, Color inner, Color outer) {
    return [=](Point p) {
        return Mix(inner, outer, std::hypot(p.x - centre.x, p.y - centre.y) / radius);
    };
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height, Color{0, 0, 0, 0}) {}

void Canvas::Blend(int x, int y, const Color& color, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) return;
    const float a = color.a * std::min(coverage, 1.0f);
    Color& d = pixels_[static_cast<size_t>(y) * width_ + x];
    d = {color.r * a + d.r * (1 - a), color.g * a + d.g * (1 - a), color.b * a + d.b * (1 - a),
         a + d.a * (1 - a)};
}

template <typename Coverage>
void Canvas::FillWith(const Shape& shape, const Paint& paint, float opacity, float reach,
                      Coverage coverage) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Point centre{x + 0.5f, y + 0.5f};
            const float distance = shape(centre);
            if (distance >= reach) continue;
            Blend(x, y, paint(centre), coverage(distance) * opacity);
        }
    }
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float opacity) {
    FillWith(shape, paint, opacity, 0.5f, [](float d) { return std::clamp(0.5f - d, 0.0f, 1.0f); });
}

void Canvas::FillSoft(const Shape& shape, const Paint& paint, float softness, float opacity) {
    FillWith(shape, paint, opacity, softness, [softness](float d) {
        const float t = std::clamp((softness - d) / (2 * softness), 0.0f, 1.0f);
        return t * t * (3 - 2 * t);
    });
}

void Canvas::Draw(const Canvas& picture, int left, int top) {
    for (int y = 0; y < picture.height_; ++y) {
        for (int x = 0; x < picture.width_; ++x) {
            const Color& s = picture.pixels_[static_cast<size_t>(y) * picture.width_ + x];
            const int tx = left + x, ty = top + y;
            if (s.a <= 0 || tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
            Color& d = pixels_[static_cast<size_t>(ty) * width_ + tx];
            d = {s.r + d.r * (1 - s.a), s.g + d.g * (1 - s.a), s.b + d.b * (1 - s.a),
                 s.a + d.a * (1 - s.a)};
        }
    }
}

std::vector<unsigned char> Canvas::ToRgba8() const {
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels_.size() * 4);
    const auto byte = [](float v) {
        return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
    };
    for (const Color& p : pixels_) {
        const float a = p.a > 0 ? p.a : 1;
        bytes.insert(bytes.end(), {byte(p.r / a), byte(p.g / a), byte(p.b / a), byte(p.a)});
    }
    return bytes;
}

bool Canvas::SavePng(const std::string& path) const {
    return WriteStoredPng(path, width_, height_, ToRgba8());
}

}  // namespace skin_art
