#pragma once

#include <functional>
#include <string>
#include <vector>

#include "skin/notification.h"

namespace Skin {

// The notifications table of a window: a handler per notification type (and
// virtual window name, empty for the window itself). Handlers registered
// later, by derived windows, are looked at first, so they replace the base's.
class CNotifyDispatcher {
public:
    using Handler = std::function<void(Notification&)>;

    virtual ~CNotifyDispatcher() = default;

    // True when a handler took the notification.
    bool DispatchNotify(Notification& notification) const;

protected:
    void OnNotifyType(std::wstring type, Handler handler, std::wstring virtualWindow = {});

private:
    struct Entry {
        std::wstring type;
        std::wstring virtualWindow;
        Handler handler;
    };
    std::vector<Entry> entries_;
};

}  // namespace Skin
