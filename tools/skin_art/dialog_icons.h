#pragma once

#include "canvas.h"
#include "text.h"

namespace skin_art {

Canvas MakeNetworkIcon();  // 40 x 40, weak-signal Wi-Fi with a warning badge
Canvas MakeQuestionIcon(const TextRenderer& text);  // 40 x 40
Canvas MakeWarningIcon();                           // 40 x 40
Canvas MakeFinishedMark();                          // 80 x 80 check mark of the finished page

}  // namespace skin_art
