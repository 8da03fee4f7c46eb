#include "animation.h"

#include <cmath>
#include <numbers>

#include "brand.h"
#include "palette.h"

namespace skin_art {

Canvas MakeInstallingFrame(int index) {
    constexpr float kPi = std::numbers::pi_v<float>;
    constexpr Point kCentre{79, 79};
    constexpr float kRadius = 66, kWidth = 7;
    Canvas canvas(158, 158);

    // A white disc with a soft shadow carries the icon; a pale track runs round it.
    canvas.FillSoft(Circle({kCentre.x, kCentre.y + 3}, 56), Solid(Rgb(0x7C9CE0)), 8, 0.22f);
    canvas.Fill(Circle(kCentre, 56), Solid(palette::kWhite));
    canvas.Fill(Arc(kCentre, kRadius, kWidth, 0, 2 * kPi), Solid(Rgb(0xDCE7FB)));
    DrawProductIcon(canvas, kCentre.x - 36, kCentre.y - 35, 72);

    // The arc: its head leads clockwise, its tail fades from violet into the track.
    const float head = -kPi / 2 + index * 2 * kPi / kAnimationFrames;
    const float sweep = kPi * 0.75f;
    const float tail = head - sweep;
    const Paint comet = [=](Point p) {
        float along = std::atan2(p.y - kCentre.y, p.x - kCentre.x) - tail;
        along -= std::floor(along / (2 * kPi)) * 2 * kPi;
        const float t = along > sweep + 0.3f ? 0.0f : std::min(along / sweep, 1.0f);
        Color colour = Mix(palette::kViolet, palette::kBlue, t);
        colour.a = 0.15f + 0.85f * t;
        return colour;
    };
    canvas.Fill(Arc(kCentre, kRadius, kWidth, tail, sweep), comet);
    // A bright bead at the head.
    const Point bead{kCentre.x + kRadius * std::cos(head), kCentre.y + kRadius * std::sin(head)};
    canvas.FillSoft(Circle(bead, 4), Solid(palette::kBlueHot), 3, 0.6f);
    canvas.Fill(Circle(bead, 2.2f), Solid(palette::kWhite));
    return canvas;
}

}  // namespace skin_art
