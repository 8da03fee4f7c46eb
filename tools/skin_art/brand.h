#pragma once

#include "canvas.h"
#include "text.h"

namespace skin_art {

// The product icon (a brush over a paint stroke on a blue-violet tile) in the
// square at (left, top) with that side.
void DrawProductIcon(Canvas& canvas, float left, float top, float size);

Canvas MakeAppIcon();                       // 128 x 128, the window icon
Canvas MakeLogo(const TextRenderer& text);  // 290 x 70: icon, name and tagline

}  // namespace skin_art
