#pragma once

#include <cstdint>

#include "platform/window.h"

namespace Skin {

class CControl;

// Input and timer events the window manager routes to a control.
enum class ControlEventType {
    kMouseMove,
    kMouseEnter,
    kMouseLeave,
    kButtonDown,
    kButtonUp,
    kKeyDown,
    kChar,
    kSetFocus,
    kKillFocus,
    kTimer,
    kScrollWheel,
};

struct ControlEvent {
    ControlEventType type = ControlEventType::kMouseMove;
    CControl* sender = nullptr;
    uint32_t timestamp = 0;
    int x = 0;  // mouse position in client coordinates
    int y = 0;
    wchar_t ch = 0;               // kChar
    platform::WPARAM key = 0;     // kKeyDown: virtual-key code
    platform::WPARAM wParam = 0;  // kTimer: the timer id
    platform::LPARAM lParam = 0;
};

}  // namespace Skin
