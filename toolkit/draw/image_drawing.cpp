#include "draw/image_drawing.h"

#include <algorithm>
#include <array>

namespace Skin {

IntRect ImageDestination(const IntRect& control, const IntRect& dest) {
    if (dest.IsEmpty()) return control;
    return {control.left + dest.left, control.top + dest.top,
            std::min(control.right, control.left + dest.right),
            std::min(control.bottom, control.top + dest.bottom)};
}

void DrawImage(Canvas& canvas, const Bitmap* bitmap, const IntRect& control,
               const ImageDescription& image) {
    const IntRect target = ImageDestination(control, image.dest);
    if (IsEmptyArea(target)) return;
    Canvas::ClipScope clip(canvas, control);
    if (image.color != 0) {
        canvas.FillRect(target, image.color);
        return;
    }
    if (bitmap == nullptr) return;
    IntRect source = image.source;
    if (source.IsEmpty()) {
        source = {0, 0, bitmap->width, bitmap->height};
    } else {
        source.right = std::min(source.right, bitmap->width);
        source.bottom = std::min(source.bottom, bitmap->height);
    }
    if (IsEmptyArea(source)) return;
    const IntRect& corner = image.corner;
    if (corner.IsEmpty()) {
        canvas.DrawBitmap(*bitmap, source, target, image.fade, image.xtiled, image.ytiled);
        return;
    }
    // Nine parts: the corners keep their size, the edges stretch along one
    // axis, the centre along both.
    const std::array<int, 4> srcX{source.left, source.left + corner.left,
                                  source.right - corner.right, source.right};
    const std::array<int, 4> srcY{source.top, source.top + corner.top,
                                  source.bottom - corner.bottom, source.bottom};
    const std::array<int, 4> dstX{target.left, target.left + corner.left,
                                  target.right - corner.right, target.right};
    const std::array<int, 4> dstY{target.top, target.top + corner.top,
                                  target.bottom - corner.bottom, target.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (image.hole && row == 1 && column == 1) continue;
            const IntRect from{srcX[column], srcY[row], srcX[column + 1], srcY[row + 1]};
            const IntRect to{dstX[column], dstY[row], dstX[column + 1], dstY[row + 1]};
            if (IsEmptyArea(from) || IsEmptyArea(to)) continue;
            canvas.DrawBitmap(*bitmap, from, to, image.fade, image.xtiled && column == 1,
                              image.ytiled && row == 1);
        }
    }
}

}  // namespace Skin
