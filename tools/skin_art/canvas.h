#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shapes.h"

namespace skin_art {

// A straight (not premultiplied) colour with components 0..1.
struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// 0xRRGGBB with an opacity.
Color Rgb(unsigned rgb, float alpha = 1);
Color Mix(const Color& from, const Color& to, float t);

// The colour of each point of a filled shape.
using Paint = std::function<Color(Point)>;
Paint Solid(Color color);
// Runs from `from` at point a to `to` at point b, clamped beyond.
Paint LinearGradient(Point a, Point b, Color from, Color to);
Paint RadialGradient(Point centre, float radius, Color inner, Color outer);

// An RGBA picture in premultiplied floating point, written out as 8-bit PNG.
class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    // Anti-aliased fill: a pixel is covered by how far its centre lies inside.
    void Fill(const Shape& shape, const Paint& paint, float opacity = 1);
    // A fill whose edge fades out over `softness` pixels each side (glows, shadows).
    void FillSoft(const Shape& shape, const Paint& paint, float softness, float opacity = 1);
    // Composites one pixel with a coverage of 0..1.
    void Blend(int x, int y, const Color& color, float coverage);
    // Draws another canvas over this one with its top-left corner at (x, y).
    void Draw(const Canvas& picture, int x, int y);

    // 8-bit straight RGBA rows.
    std::vector<unsigned char> ToRgba8() const;
    bool SavePng(const std::string& path) const;

private:
    template <typename Coverage>
    void FillWith(const Shape& shape, const Paint& paint, float opacity, float reach,
                  Coverage coverage);

    int width_;
    int height_;
    std::vector<Color> pixels_;  // premultiplied
};

}  // namespace skin_art
