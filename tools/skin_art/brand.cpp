#include "brand.h"

#include "palette.h"

namespace skin_art {

void DrawProductIcon(Canvas& canvas, float left, float top, float size) {
    const auto at = [&](float u, float v) { return Point{left + u * size, top + v * size}; };
    const float right = left + size, bottom = top + size;

    // Soft drop shadow, then the tile with a diagonal blue-violet gradient and a
    // faint sheen over its upper half.
    canvas.FillSoft(RoundedRect(left + size * 0.06f, top + size * 0.10f, right - size * 0.06f,
                                bottom - size * 0.01f, size * 0.22f),
                    Solid(Rgb(0x3A4FD0)), size * 0.05f, 0.30f);
    const Shape tile = RoundedRect(left + size * 0.04f, top + size * 0.04f, right - size * 0.04f,
                                   bottom - size * 0.06f, size * 0.23f);
    canvas.Fill(tile,
                LinearGradient(at(0.1f, 0.05f), at(0.9f, 0.95f), Rgb(0x3C9BFF), palette::kViolet));
    canvas.Fill(
        Intersect(tile, Circle(at(0.25f, -0.35f), size * 0.85f)),
        LinearGradient(at(0.5f, 0.0f), at(0.5f, 0.5f), Rgb(0xFFFFFF, 0.22f), Rgb(0xFFFFFF, 0.0f)));

    // The paint stroke the brush has just drawn: a sweeping curve in pale gold.
    const float stroke = size * 0.085f;
    canvas.Fill(
        Polyline(QuadraticCurve(at(0.20f, 0.78f), at(0.48f, 0.58f), at(0.80f, 0.74f)), stroke),
        LinearGradient(at(0.2f, 0.7f), at(0.8f, 0.7f), Rgb(0xFFE08A, 0.95f), Rgb(0xFFB86B, 0.95f)));

    // The brush: handle, ferrule and a tapered tip touching the stroke's start.
    canvas.Fill(Segment(at(0.76f, 0.20f), at(0.52f, 0.46f), size * 0.095f), Solid(palette::kWhite));
    canvas.Fill(Segment(at(0.52f, 0.46f), at(0.45f, 0.535f), size * 0.135f), Solid(Rgb(0xDCE4FF)));
    canvas.Fill(TaperedStroke(at(0.40f, 0.585f), at(0.24f, 0.76f), size * 0.075f, size * 0.012f),
                Solid(palette::kWhite));
}

Canvas MakeAppIcon() {
    Canvas icon(128, 128);
    DrawProductIcon(icon, 0, 0, 128);
    return icon;
}

Canvas MakeLogo(const TextRenderer& text) {
    Canvas logo(290, 70);
    DrawProductIcon(logo, 8, 4, 62);
    text.Draw(logo, "Brushwell", 36, 82, 40, palette::kInk, 0.9f);
    text.Draw(logo, "专业绘画 · 随心创作", 14, 84, 62, palette::kSubtle);
    return logo;
}

}  // namespace skin_art
