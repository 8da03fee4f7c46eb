#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"
#include "scratch_home.h"
#include "skin/container.h"
#include "skin/message_pump.h"
#include "skin/skin_frame.h"

namespace toolkit_test {

// A skinned frame built from the real skin package on the headless video
// driver, recording the notifications it receives (type and sender name).
class RecordingFrame : public Skin::CSkinFrame {
public:
    explicit RecordingFrame(std::wstring skinFile)
        : CSkinFrame(
              {Skin::kSkinFromPackageResource, 147, L"", std::move(skinFile), L"TestFrame"}) {}

    bool Open(platform::HWND owner = nullptr) {
        return Create(owner, L"test", 0, 0, 0, 0, 0, 0) != nullptr;
    }

    void OnNotify(Skin::Notification& notification) override {
        // Focus changes come with every click; the tests look at the rest.
        if (notification.type != L"setfocus" && notification.type != L"killfocus") {
            seen.emplace_back(notification.type,
                              notification.sender ? notification.sender->GetName() : L"");
        }
        CSkinFrame::OnNotify(notification);
    }

    template <typename T = Skin::CControl>
    T* Find(const wchar_t* name) {
        return dynamic_cast<T*>(manager().FindControl(name));
    }

    // The centre of a control in client coordinates.
    std::pair<int, int> CentreOf(const wchar_t* name) {
        const Skin::IntRect& r = manager().FindControl(name)->GetPos();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    std::vector<std::pair<std::wstring, std::wstring>> seen;
};

// Visible with all its ancestors.
inline bool IsShown(const Skin::CControl* control) {
    for (; control != nullptr; control = control->GetParent()) {
        if (!control->IsVisible()) return false;
    }
    return true;
}

// Each test gets its own user folders (fontconfig keeps a cache there) and
// the headless backend.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::InitWindowing(platform::VideoBackend::Headless));
    }
    void TearDown() override { Skin::PumpMessages(); }

    test_support::ScratchHome home_;
};

}  // namespace toolkit_test
