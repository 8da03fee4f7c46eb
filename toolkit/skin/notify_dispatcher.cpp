#include "skin/notify_dispatcher.h"

namespace Skin {

void CNotifyDispatcher::OnNotifyType(std::wstring type, Handler handler,
                                     std::wstring virtualWindow) {
    entries_.push_back({std::move(type), std::move(virtualWindow), std::move(handler)});
}

bool CNotifyDispatcher::DispatchNotify(Notification& notification) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->type == notification.type && it->virtualWindow == notification.virtualWindow) {
            it->handler(notification);
            return true;
        }
    }
    return false;
}

}  // namespace Skin
