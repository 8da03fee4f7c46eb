#pragma once

#include "skin/window_manager.h"

namespace skin_render {

// Shows one page of the main window as the installer does: the page of
// mainTabLt, its background on winCtn and the title bar's item (page 0 as the
// window first opens, without the back button). False when the skin has no
// such page.
bool ShowMainWindowPage(Skin::WindowManager& manager, int page);

}  // namespace skin_render
