#include "backgrounds.h"

#include <cmath>
#include <numbers>

#include "brand.h"
#include "palette.h"

namespace skin_art {
namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 400;

struct PageColours {
    unsigned topLeft;
    unsigned bottomRight;
};
constexpr PageColours kPages[] = {
    {0xE6F0FF, 0xF3ECFF},  // welcome
    {0xEDF4FF, 0xF6F2FF},  // custom: lighter under the form
    {0xE7F3FF, 0xEEEEFF},  // installing
    {0xEBF6FF, 0xF3EDFF},  // finished
};

const Shape kEverywhere = [](Point) { return -1.0f; };

void DrawWash(Canvas& canvas, const PageColours& colours) {
    canvas.Fill(kEverywhere, LinearGradient({0, 0}, {kWidth, kHeight}, Rgb(colours.topLeft),
                                            Rgb(colours.bottomRight)));
    // Large out-of-focus blobs of colour in the corners.
    canvas.FillSoft(Circle({590, -20}, 150), Solid(Rgb(0xCDBEFF)), 120, 0.70f);
    canvas.FillSoft(Circle({0, 420}, 150), Solid(Rgb(0xB9DEFF)), 120, 0.75f);
    canvas.FillSoft(Circle({470, 430}, 90), Solid(Rgb(0xFFD3E6)), 90, 0.55f);
    canvas.FillSoft(Circle({100, 40}, 70), Solid(Rgb(0xFFFFFF)), 70, 0.45f);
}

// Wide translucent ribbons of colour, like broad strokes of a wet brush.
void DrawRibbons(Canvas& canvas) {
    canvas.Fill(Polyline(QuadraticCurve({330, 430}, {470, 290}, {650, 300}), 70),
                LinearGradient({330, 400}, {620, 300}, Rgb(0x9CC2FF), Rgb(0xC7B2FF)), 0.16f);
    canvas.Fill(Polyline(QuadraticCurve({-60, 300}, {110, 380}, {300, 440}), 46),
                LinearGradient({0, 320}, {300, 420}, Rgb(0xA6E3FF), Rgb(0xB7C8FF)), 0.16f);
}

// Out-of-focus discs of light on the right, away from the controls.
void DrawBokeh(Canvas& canvas) {
    struct Disc {
        float x, y, radius;
    };
    constexpr Disc kDiscs[] = {{540, 170, 26}, {500, 230, 12}, {566, 262, 16}, {58, 118, 14}};
    for (const Disc& d : kDiscs) {
        canvas.Fill(Circle({d.x, d.y}, d.radius), Solid(palette::kWhite), 0.22f);
        canvas.Fill(Arc({d.x, d.y}, d.radius - 0.5f, 1, 0, 2 * std::numbers::pi_v<float>),
                    Solid(palette::kWhite), 0.55f);
    }
}

void DrawWaves(Canvas& canvas) {
    const float frequency = 2 * std::numbers::pi_v<float> / kWidth;
    canvas.Fill(BelowWave(338, 12, frequency * 1.2f, 0.6f), Solid(Rgb(0xFFFFFF)), 0.30f);
    canvas.Fill(BelowWave(352, 9, frequency * 0.9f, 2.4f),
                LinearGradient({0, 350}, {kWidth, 350}, Rgb(0xD3E5FF), Rgb(0xE2D9FF)), 0.45f);
    canvas.Fill(BelowWave(370, 7, frequency * 1.6f, 4.0f), Solid(Rgb(0xFFFFFF)), 0.40f);
}

// Two loose brush strokes sweeping across a corner, like paint on a canvas edge.
void DrawBrushStrokes(Canvas& canvas) {
    canvas.Fill(Polyline(QuadraticCurve({-20, 150}, {70, 60}, {230, 42}), 3), Solid(Rgb(0xFFFFFF)),
                0.55f);
    canvas.Fill(Polyline(QuadraticCurve({-10, 175}, {95, 80}, {250, 66}), 1.5f),
                Solid(Rgb(0xB9A8FF)), 0.35f);
    canvas.Fill(Polyline(QuadraticCurve({380, 402}, {470, 300}, {620, 285}), 2.5f),
                Solid(Rgb(0xFFFFFF)), 0.5f);
}

void DrawSparkles(Canvas& canvas) {
    struct Sparkle {
        float x, y, radius, opacity;
    };
    constexpr Sparkle kSparkles[] = {
        {520, 88, 2.5f, 0.9f}, {548, 120, 1.5f, 0.7f}, {70, 250, 2, 0.8f},  {105, 290, 1.2f, 0.6f},
        {455, 60, 1.2f, 0.6f}, {30, 200, 1.5f, 0.5f},  {575, 230, 2, 0.7f}, {160, 330, 1.4f, 0.6f},
    };
    for (const Sparkle& s : kSparkles) {
        canvas.FillSoft(Circle({s.x, s.y}, s.radius), Solid(palette::kWhite), 2.5f, s.opacity);
    }
}

void DrawTitleBrand(Canvas& canvas, const TextRenderer& text) {
    DrawProductIcon(canvas, 14, 11, 22);
    text.Draw(canvas, "Brushwell", 14, 42, 27, palette::kInk, 0.3f);
}

// A frosted panel behind the folder and shortcut rows of the custom page.
void DrawFormPanel(Canvas& canvas) {
    canvas.FillSoft(RoundedRect(34, 186, 566, 290, 14), Solid(Rgb(0x8FA8E0)), 14, 0.18f);
    canvas.Fill(RoundedRect(30, 178, 570, 284, 12), Solid(palette::kWhite), 0.62f);
}

// A soft halo around the turning animation of the installing page.
void DrawHalo(Canvas& canvas) {
    canvas.FillSoft(Circle({300, 178}, 96), Solid(palette::kWhite), 30, 0.45f);
    canvas.Fill(Arc({300, 178}, 112, 1, 0, 2 * std::numbers::pi_v<float>), Solid(palette::kWhite),
                0.6f);
}

// Confetti around the finished page's check mark.
void DrawConfetti(Canvas& canvas) {
    const unsigned colours[] = {0x5A9DFD, 0xB9A8FF, 0xFFB86B, 0x6BD6B5, 0xFF9BC0};
    for (int i = 0; i < 22; ++i) {
        const float angle = i * 2.39996f;  // golden angle: even spread, no pattern
        const float radius = 78 + (i * 37 % 60);
        const Point centre{300 + radius * 1.6f * std::cos(angle),
                           135 + radius * 0.5f * std::sin(angle)};
        if (std::abs(centre.x - 300) < 72) continue;  // the check mark and the title stand there
        const float tilt = angle * 1.7f, length = 3 + (i % 3);
        const Point a{centre.x - length * std::cos(tilt), centre.y - length * std::sin(tilt)};
        const Point b{centre.x + length * std::cos(tilt), centre.y + length * std::sin(tilt)};
        canvas.Fill(i % 2 == 0 ? Segment(a, b, 3) : Circle(centre, 2.2f),
                    Solid(Rgb(colours[i % 5])), 0.75f);
    }
}

}  // namespace

Canvas MakeBackground(int page, const TextRenderer& text) {
    Canvas canvas(kWidth, kHeight);
    DrawWash(canvas, kPages[page]);
    DrawRibbons(canvas);
    DrawWaves(canvas);
    DrawBokeh(canvas);
    DrawBrushStrokes(canvas);
    DrawSparkles(canvas);
    if (page != 1) DrawTitleBrand(canvas, text);  // the custom page has its back button there
    if (page == 1) DrawFormPanel(canvas);
    if (page == 2) DrawHalo(canvas);
    if (page == 3) DrawConfetti(canvas);
    // A hairline frame keeps the borderless window's edge crisp on light desktops.
    canvas.Fill(Subtract(RoundedRect(0, 0, kWidth, kHeight, 0),
                         RoundedRect(1, 1, kWidth - 1, kHeight - 1, 0)),
                Solid(Rgb(0x5A6B9A)), 0.18f);
    return canvas;
}

}  // namespace skin_art
