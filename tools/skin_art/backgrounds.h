#pragma once

#include "canvas.h"
#include "text.h"

namespace skin_art {

// The 600 x 400 main-window background of a page: 0 welcome, 1 custom install,
// 2 installing, 3 finished. Each keeps its centre calm for the page's controls.
Canvas MakeBackground(int page, const TextRenderer& text);

}  // namespace skin_art
