#pragma once

#include <functional>
#include <memory>

#include "platform/window.h"

namespace Skin {

class WindowManager;

// The drop shadow a skinned frame owns. The toolkit's own is a shadow that
// draws nothing; start-up installs the real one through the factory.
class IWindowShadow {
public:
    virtual ~IWindowShadow() = default;
    // The window exists and its skin is built (the shadow attributes are the
    // manager's window custom attributes).
    virtual void Create(platform::HWND owner, const WindowManager& manager) = 0;
    // Every message of the owner window, so the shadow can follow it.
    virtual void OnOwnerMessage(platform::UINT message, platform::WPARAM wParam,
                                platform::LPARAM lParam) = 0;
};

using WindowShadowFactory = std::function<std::unique_ptr<IWindowShadow>()>;

// A null factory restores the shadow that draws nothing.
void SetWindowShadowFactory(WindowShadowFactory factory);
std::unique_ptr<IWindowShadow> MakeWindowShadow();

}  // namespace Skin
