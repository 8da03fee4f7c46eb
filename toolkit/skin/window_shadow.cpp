#include "skin/window_shadow.h"

namespace Skin {
namespace {

class NoShadow : public IWindowShadow {
public:
    void Create(platform::HWND /*owner*/, const WindowManager& /*manager*/) override {}
    void OnOwnerMessage(platform::UINT /*message*/, platform::WPARAM /*wParam*/,
                        platform::LPARAM /*lParam*/) override {}
};

WindowShadowFactory& Factory() {
    static WindowShadowFactory factory;
    return factory;
}

}  // namespace

void SetWindowShadowFactory(WindowShadowFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<IWindowShadow> MakeWindowShadow() {
    if (Factory()) {
        if (auto shadow = Factory()()) return shadow;
    }
    return std::make_unique<NoShadow>();
}

}  // namespace Skin
