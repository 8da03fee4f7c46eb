#include "buttons.h"

namespace skin_art {
namespace {

struct Fill {
    Color from;
    Color to;
};

// The blue of a filled button: a light-to-deep gradient, lighter when hot and
// deeper when pressed.
Fill BlueFill(ButtonState state) {
    switch (state) {
        case ButtonState::kHot:
            return {Rgb(0x74B0FF), palette::kBlueHot};
        case ButtonState::kPressed:
            return {palette::kBluePressed, Rgb(0x0F57C4)};
        case ButtonState::kNormal:
            break;
    }
    return {Rgb(0x4A95FF), palette::kBlue};
}

// A round glyph button of a title bar: the glyph alone, then on a soft disc
// when hot and a deeper one when pressed.
Canvas TitleGlyphButton(ButtonState state, const Shape& glyph, Color rest, Color accent,
                        bool filledWhenActive) {
    Canvas canvas(24, 24);
    const Shape disc = Circle({12, 12}, 11);
    const bool hot = state == ButtonState::kHot;
    if (state != ButtonState::kNormal && filledWhenActive) {
        canvas.Fill(disc, Solid(hot ? accent : Mix(accent, Rgb(0x000000), 0.15f)));
    } else if (state != ButtonState::kNormal) {
        canvas.Fill(disc, Solid(accent), hot ? 0.14f : 0.26f);
    }
    const Color ink = state == ButtonState::kNormal ? rest
                      : filledWhenActive            ? palette::kWhite
                                                    : accent;
    canvas.Fill(glyph, Solid(ink));
    return canvas;
}

Shape Cross(float half, float width) {
    return Union(Segment({12 - half, 12 - half}, {12 + half, 12 + half}, width),
                 Segment({12 - half, 12 + half}, {12 + half, 12 - half}, width));
}

}  // namespace

Canvas MakeInstallButton(ButtonState state) {
    Canvas canvas(234, 50);
    const Fill fill = BlueFill(state);
    if (state != ButtonState::kPressed) {
        canvas.FillSoft(RoundedRect(12, 8, 222, 47, 19), Solid(palette::kBlue), 4, 0.35f);
    }
    const Shape body = RoundedRect(5, 3, 229, 45, 21);
    canvas.Fill(body, LinearGradient({5, 0}, {229, 0}, fill.from, fill.to));
    // A thin highlight along the top edge gives the pill some depth.
    canvas.Fill(Intersect(body, RoundedRect(8, 4, 226, 22, 18)),
                LinearGradient({0, 4}, {0, 22}, Rgb(0xFFFFFF, 0.22f), Rgb(0xFFFFFF, 0.0f)));
    return canvas;
}

Canvas MakeChangeFolderButton(ButtonState state) {
    Canvas canvas(80, 40);
    const Fill fill = BlueFill(state);
    const Shape body = RoundedRect(1, 1, 79, 39, 6);
    canvas.Fill(body, LinearGradient({0, 1}, {0, 39}, fill.from, fill.to));
    canvas.Fill(Intersect(body, RoundedRect(2, 2, 78, 18, 5)),
                LinearGradient({0, 2}, {0, 18}, Rgb(0xFFFFFF, 0.18f), Rgb(0xFFFFFF, 0.0f)));
    return canvas;
}

Canvas MakeBackButton(ButtonState state, const TextRenderer& text) {
    Canvas canvas(64, 30);
    const Color ink = state == ButtonState::kNormal ? palette::kMuted
                      : state == ButtonState::kHot  ? palette::kBlue
                                                    : palette::kBluePressed;
    if (state != ButtonState::kNormal) {
        canvas.Fill(RoundedRect(1, 2, 63, 28, 13), Solid(palette::kBlue),
                    state == ButtonState::kHot ? 0.10f : 0.18f);
    }
    canvas.Fill(Polyline({{19, 9.5f}, {13.5f, 15}, {19, 20.5f}}, 2), Solid(ink));
    text.Draw(canvas, "返回", 14, 25, 20, ink);
    return canvas;
}

Canvas MakeMinimiseButton(ButtonState state) {
    return TitleGlyphButton(state, Segment({7.5f, 12}, {16.5f, 12}, 1.6f), palette::kMuted,
                            palette::kBlue, false);
}

Canvas MakeCloseButton(ButtonState state) {
    return TitleGlyphButton(state, Cross(4.5f, 1.6f), palette::kMuted, palette::kCoral, true);
}

Canvas MakeDialogCloseButton(ButtonState state) {
    return TitleGlyphButton(state, Cross(4, 1.4f), Rgb(0x9A9DB0), palette::kCoral, true);
}

}  // namespace skin_art
