#pragma once

#include "canvas.h"

namespace skin_art {

inline constexpr int kAnimationFrames = 25;

// Frame `index` of the 158 x 158 installing animation: an arc with a fading
// tail turning once round the product icon over the 25 frames.
Canvas MakeInstallingFrame(int index);

}  // namespace skin_art
