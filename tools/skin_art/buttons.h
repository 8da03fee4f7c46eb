#pragma once

#include "canvas.h"
#include "palette.h"
#include "text.h"

namespace skin_art {

Canvas MakeInstallButton(ButtonState state);       // 234 x 50 pill, text drawn by the skin
Canvas MakeChangeFolderButton(ButtonState state);  // 80 x 40
Canvas MakeBackButton(ButtonState state, const TextRenderer& text);  // 64 x 30, arrow and "返回"
Canvas MakeMinimiseButton(ButtonState state);     // 24 x 24, main window title bar
Canvas MakeCloseButton(ButtonState state);        // 24 x 24, main window title bar
Canvas MakeDialogCloseButton(ButtonState state);  // 24 x 24, dialog title bands

}  // namespace skin_art
