#include "skin/message_pump.h"

#include "skin/window_manager.h"

namespace Skin {

bool PumpMessages() {
    platform::MSG msg;
    while (platform::PeekMessage(&msg)) {
        if (msg.message == platform::WM_QUIT) {
            platform::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!WindowManager::TranslateMessage(msg)) platform::DispatchMessage(&msg);
    }
    return true;
}

}  // namespace Skin
