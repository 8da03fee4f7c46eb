#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

namespace Skin {

class CControl;

// What a control tells its window: "click", "selectchanged", "tabselect",
// "itemselect", "timer", "windowinit", "setfocus", "killfocus" and the
// program's own types. Copied into the queue when sent asynchronously.
struct Notification {
    std::wstring type;
    std::wstring virtualWindow;
    CControl* sender = nullptr;
    uint32_t timestamp = 0;      // milliseconds when it was sent
    platform::POINT mousePoint;  // the manager's last mouse position
    platform::WPARAM wParam = 0;
    platform::LPARAM lParam = 0;
};

class INotifyListener {
public:
    virtual ~INotifyListener() = default;
    virtual void OnNotify(Notification& notification) = 0;
};

// Sees every message of its window (and of windows it owns) before it is
// dispatched; setting handled drops the message.
class IMessageFilter {
public:
    virtual ~IMessageFilter() = default;
    virtual platform::LRESULT MessageFilter(platform::UINT message, platform::WPARAM wParam,
                                            platform::LPARAM lParam, bool& handled) = 0;
};

}  // namespace Skin
