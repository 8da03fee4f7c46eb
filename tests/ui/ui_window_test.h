#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "headless_frame.h"
#include "platform/window.h"
#include "platform/window_input.h"
#include "skin/message_pump.h"
#include "skin/skin_frame.h"

namespace ui_test {

// The skinned window object behind a handle, or null.
inline Skin::CSkinWindow* SkinWindowOf(platform::HWND hwnd) {
    return dynamic_cast<Skin::CSkinWindow*>(
        static_cast<Skin::CNativeWindow*>(platform::GetWindowUserData(hwnd)));
}

// Presses and releases the left button over the named control of a window
// (laid out first, so the control has its place).
inline void ClickControl(platform::HWND hwnd, const wchar_t* name) {
    Skin::PumpMessages();
    Skin::CSkinWindow* window = SkinWindowOf(hwnd);
    ASSERT_NE(window, nullptr);
    Skin::CControl* control = window->manager().FindControl(name);
    ASSERT_NE(control, nullptr) << "no control named " << testing::PrintToString(name);
    const Skin::IntRect& r = control->GetPos();
    const int x = (r.left + r.right) / 2;
    const int y = (r.top + r.bottom) / 2;
    platform::InjectMouseMove(hwnd, x, y);
    platform::InjectMouseButton(hwnd, x, y, true);
    platform::InjectMouseButton(hwnd, x, y, false);
}

// A skinned owner window that runs scripted steps from posted messages, so a
// test can act while a modal loop it started is running. Each step is posted
// after the previous one, behind the input that step injected.
class ScriptedOwner : public Skin::CSkinFrame {
public:
    static constexpr platform::UINT kStepMessage = platform::WM_USER + 77;

    ScriptedOwner()
        : CSkinFrame({Skin::kSkinFromPackageResource, 147, L"", L"mainWnd.xml", L"mainWnd"}) {}

    bool Open() {
        if (Create(nullptr, L"owner", platform::WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, 0) == nullptr)
            return false;
        ShowWindow(true, true);
        Skin::PumpMessages();
        return true;
    }

    // Starts the steps; they run once a message loop takes the first one.
    void Script(std::vector<std::function<void()>> steps) {
        steps_ = std::move(steps);
        next_ = 0;
        PostMessage(kStepMessage);
    }
    bool finished() const { return next_ == steps_.size(); }

protected:
    platform::LRESULT OnCustomMessage(platform::UINT message, platform::WPARAM wParam,
                                      platform::LPARAM lParam, bool& handled) override {
        if (message != kStepMessage) {
            return CSkinFrame::OnCustomMessage(message, wParam, lParam, handled);
        }
        if (next_ < steps_.size()) steps_[next_++]();
        if (next_ < steps_.size()) PostMessage(kStepMessage);
        return 0;
    }

private:
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
};

using toolkit_test::HeadlessTest;

}  // namespace ui_test
