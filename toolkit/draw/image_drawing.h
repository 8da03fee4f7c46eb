#pragma once

#include "draw/bitmap.h"
#include "draw/canvas.h"
#include "markup/image_description.h"

namespace Skin {

// The target of an image inside a control: the control's rectangle when dest
// is all zero, otherwise dest offset by the control's top-left corner and cut
// at the control's right and bottom edges.
IntRect ImageDestination(const IntRect& control, const IntRect& dest);

// Draws what an image attribute describes inside a control's rectangle:
// a colour fill, or the bitmap's source part into the destination, nine-grid
// scaled by corner (centre left out for a hole), tiled per axis, at the
// description's fade. A null bitmap without a colour draws nothing.
void DrawImage(Canvas& canvas, const Bitmap* bitmap, const IntRect& control,
               const ImageDescription& image);

}  // namespace Skin
