#include "controls.h"

#include <algorithm>
#include <cmath>

namespace skin_art {

Shape Tick(Point start, Point corner, Point end, float width) {
    return Polyline({start, corner, end}, width);
}

Canvas MakeFolderField() {
    Canvas canvas(340, 36);
    const Shape outer = RoundedRect(0.5f, 0.5f, 339.5f, 35.5f, 5);
    canvas.Fill(outer, Solid(Rgb(0xCFD8EA)));
    canvas.Fill(RoundedRect(1.5f, 1.5f, 338.5f, 34.5f, 4), Solid(palette::kWhite));
    // A faint inner shade under the top edge, as in a sunken field.
    canvas.Fill(Intersect(RoundedRect(1.5f, 1.5f, 338.5f, 34.5f, 4), RoundedRect(0, 0, 340, 6, 0)),
                LinearGradient({0, 1.5f}, {0, 6}, Rgb(0xE9EEF7, 0.9f), Rgb(0xFFFFFF, 0.0f)));
    return canvas;
}

Canvas MakeProgressTrack() {
    Canvas canvas(410, 8);
    canvas.Fill(RoundedRect(0, 0, 410, 8, 4), Solid(Rgb(0xDDE6F5)));
    return canvas;
}

Canvas MakeProgressFill() {
    Canvas canvas(305, 8);
    const Shape bar = RoundedRect(0, 0, 305, 8, 4);
    canvas.Fill(bar, LinearGradient({0, 0}, {305, 0}, Rgb(0x58C2FF), palette::kBlue));
    canvas.Fill(Intersect(bar, RoundedRect(0, 0, 305, 4, 0)), Solid(Rgb(0xFFFFFF)), 0.18f);
    return canvas;
}

Canvas MakeCheckBox(bool ticked) {
    Canvas canvas(16, 16);
    if (!ticked) {
        canvas.Fill(RoundedRect(1, 1, 15, 15, 3.5f), Solid(Rgb(0xB4BED6)));
        canvas.Fill(RoundedRect(2, 2, 14, 14, 2.5f), Solid(palette::kWhite));
        return canvas;
    }
    canvas.Fill(RoundedRect(1, 1, 15, 15, 3.5f),
                LinearGradient({0, 1}, {0, 15}, Rgb(0x3D8BFF), palette::kBlue));
    canvas.Fill(Tick({4.6f, 8.2f}, {7.0f, 10.6f}, {11.6f, 5.6f}, 1.8f), Solid(palette::kWhite));
    return canvas;
}

Canvas MakeCustomArrow(ButtonState state) {
    Canvas canvas(16, 16);
    const Color ink = state == ButtonState::kHot ? palette::kInk : palette::kMuted;
    canvas.Fill(Circle({8, 8}, 6.6f), Solid(ink), state == ButtonState::kHot ? 0.14f : 0.08f);
    canvas.Fill(Polyline({{6.8f, 4.8f}, {10, 8}, {6.8f, 11.2f}}, 1.5f), Solid(ink));
    return canvas;
}

Canvas MakeAgreementTip(const TextRenderer& text) {
    Canvas canvas(120, 36);
    const Color body = Rgb(0x2B2F45, 0.94f);
    canvas.Fill(RoundedRect(0, 0, 120, 30, 5), Solid(body));
    // The pointer under the tip's left part, above the agreement box.
    const Shape pointer = [](Point p) {
        // A small downward triangle with its tip at (19, 35.5).
        const float half = 5.5f * (35.5f - p.y) / 6.0f;
        const float sides = std::abs(p.x - 19) - half;
        return std::max({sides * 0.8f, p.y - 35.5f, 29.0f - p.y});
    };
    canvas.Fill(pointer, Solid(body));
    text.DrawCentred(canvas, "请阅读并勾选协议", 12, 0, 120, 15, palette::kWhite);
    return canvas;
}

}  // namespace skin_art
