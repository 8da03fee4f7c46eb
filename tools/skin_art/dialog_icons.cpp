#include "dialog_icons.h"

#include <numbers>

#include "controls.h"
#include "palette.h"

namespace skin_art {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// A round badge with a soft halo and a top-left-lit gradient.
void Badge(Canvas& canvas, Point centre, float radius, Color light, Color deep) {
    canvas.FillSoft(Circle({centre.x, centre.y + radius * 0.08f}, radius), Solid(deep),
                    radius * 0.12f, 0.25f);
    canvas.Fill(Circle(centre, radius * 0.94f),
                LinearGradient({centre.x - radius, centre.y - radius},
                               {centre.x + radius, centre.y + radius}, light, deep));
}

Shape ExclamationMark(Point centre, float height, float width) {
    return Union(
        Segment({centre.x, centre.y - height * 0.5f}, {centre.x, centre.y + height * 0.18f}, width),
        Circle({centre.x, centre.y + height * 0.47f}, width * 0.62f));
}

}  // namespace

Canvas MakeNetworkIcon() {
    Canvas canvas(40, 40);
    Badge(canvas, {20, 20}, 19, Rgb(0x5AA8FF), palette::kBlue);
    // Wi-Fi: the dot and the inner wave are lit, the outer waves faded (weak signal).
    const Point base{20, 27};
    const float start = -kPi * 0.75f, sweep = kPi * 0.5f;
    canvas.Fill(Circle(base, 2.1f), Solid(palette::kWhite));
    canvas.Fill(Arc(base, 6, 2.4f, start, sweep), Solid(palette::kWhite));
    canvas.Fill(Arc(base, 11, 2.4f, start, sweep), Solid(palette::kWhite), 0.45f);
    canvas.Fill(Arc(base, 16, 2.4f, start, sweep), Solid(palette::kWhite), 0.45f);
    // A small amber badge: the connection is poor.
    canvas.Fill(Circle({31, 30}, 7.2f), Solid(palette::kWhite));
    canvas.Fill(Circle({31, 30}, 6),
                LinearGradient({25, 24}, {37, 36}, palette::kAmber, palette::kAmberDeep));
    canvas.Fill(ExclamationMark({31, 30}, 7, 1.7f), Solid(palette::kWhite));
    return canvas;
}

Canvas MakeQuestionIcon(const TextRenderer& text) {
    Canvas canvas(40, 40);
    Badge(canvas, {20, 20}, 19, Rgb(0x5AA8FF), palette::kBlue);
    text.DrawCentred(canvas, "?", 26, 0, 40, 17.5f, palette::kWhite, 1.2f);
    return canvas;
}

Canvas MakeWarningIcon() {
    Canvas canvas(40, 40);
    Badge(canvas, {20, 20}, 19, Rgb(0xFFC247), palette::kAmberDeep);
    canvas.Fill(ExclamationMark({20, 19.5f}, 20, 3.4f), Solid(palette::kWhite));
    return canvas;
}

Canvas MakeFinishedMark() {
    Canvas canvas(80, 80);
    canvas.FillSoft(Circle({40, 40}, 36), Solid(palette::kBlueHot), 4, 0.22f);
    canvas.Fill(Circle({40, 40}, 39.5f), Solid(palette::kBlue), 0.10f);
    canvas.FillSoft(Circle({40, 42}, 29), Solid(palette::kBlue), 3, 0.25f);
    canvas.Fill(Circle({40, 40}, 30),
                LinearGradient({14, 12}, {66, 68}, Rgb(0x4FA6FF), Rgb(0x1A62F0)));
    canvas.Fill(Tick({27, 41}, {36, 50}, {54, 31}, 6), Solid(palette::kWhite));
    return canvas;
}

}  // namespace skin_art
