#include "skin/skin_frame.h"

namespace Skin {

CSkinFrame::CSkinFrame(SkinSource source)
    : source_(std::move(source)), shadow_(MakeWindowShadow()) {}

CSkinFrame::~CSkinFrame() {
    // The window goes before the shadow that follows it.
    if (platform::IsWindow(GetHWND())) platform::DestroyWindow(GetHWND());
}

const wchar_t* CSkinFrame::GetWindowClassName() const { return source_.windowClassName.c_str(); }

void CSkinFrame::OnInitWindow() { shadow_->Create(GetHWND(), manager()); }

platform::LRESULT CSkinFrame::MessageFilter(platform::UINT message, platform::WPARAM wParam,
                                            platform::LPARAM lParam, bool& handled) {
    if (message == platform::WM_KEYDOWN && wParam == platform::VK_ESCAPE) {
        handled = true;
        return 0;
    }
    return CSkinWindow::MessageFilter(message, wParam, lParam, handled);
}

platform::LRESULT CSkinFrame::OnMessage(platform::UINT message, platform::WPARAM wParam,
                                        platform::LPARAM lParam) {
    shadow_->OnOwnerMessage(message, wParam, lParam);
    return CSkinWindow::OnMessage(message, wParam, lParam);
}

}  // namespace Skin
