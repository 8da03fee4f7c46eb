#include <gtest/gtest.h>

#include <thread>

#include "headless_frame.h"
#include "platform/resources.h"
#include "platform/window_input.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/tab_layout.h"

namespace toolkit_test {
namespace {

using Seen = std::vector<std::pair<std::wstring, std::wstring>>;

class NotificationTest : public HeadlessTest {
protected:
    void Click(RecordingFrame& frame, const wchar_t* name) {
        const auto [x, y] = frame.CentreOf(name);
        platform::InjectMouseMove(frame.GetHWND(), x, y);
        platform::InjectMouseButton(frame.GetHWND(), x, y, true);
        platform::InjectMouseButton(frame.GetHWND(), x, y, false);
        Skin::PumpMessages();
    }

    // The first layout sends "windowinit"; tests start after it.
    void Show(RecordingFrame& frame) {
        frame.ShowWindow(true, true);
        Skin::PumpMessages();
        ASSERT_EQ(frame.seen, (Seen{{L"windowinit", frame.manager().Root()->GetName()}}));
        frame.seen.clear();
    }
};

TEST_F(NotificationTest, CheckBoxClickGivesClickThenSelectChanged) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    frame.Find<Skin::CTabLayout>(L"mainTabLt")->SelectItem(1, false);
    Skin::PumpMessages();
    auto* box = frame.Find<Skin::CCheckBox>(L"createDSCb");
    ASSERT_TRUE(box->IsSelected());
    Click(frame, L"createDSCb");
    EXPECT_EQ(frame.seen, (Seen{{L"click", L"createDSCb"}, {L"selectchanged", L"createDSCb"}}));
    EXPECT_FALSE(box->IsSelected());

    frame.seen.clear();
    box->Selected(false, true);  // the current state again
    box->Selected(true, false);  // no event asked for
    EXPECT_TRUE(frame.seen.empty());
    box->Selected(false, true);
    EXPECT_EQ(frame.seen, (Seen{{L"selectchanged", L"createDSCb"}}));
}

TEST_F(NotificationTest, ClickNeedsPressAndReleaseOverTheSameEnabledButton) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    auto* install = frame.Find<Skin::CButton>(L"defaultInstallBtn");
    const auto [x, y] = frame.CentreOf(L"defaultInstallBtn");
    const platform::HWND hwnd = frame.GetHWND();

    platform::InjectMouseMove(hwnd, x, y);
    Skin::PumpMessages();
    EXPECT_TRUE(install->IsHot());
    platform::InjectMouseButton(hwnd, x, y, true);
    Skin::PumpMessages();
    EXPECT_TRUE(install->IsPushed());
    // Released elsewhere: no click.
    platform::InjectMouseMove(hwnd, 5, 390);
    platform::InjectMouseButton(hwnd, 5, 390, false);
    Skin::PumpMessages();
    EXPECT_FALSE(install->IsPushed());
    EXPECT_FALSE(install->IsHot());
    EXPECT_TRUE(frame.seen.empty());

    install->SetEnabled(false);
    Click(frame, L"defaultInstallBtn");
    EXPECT_TRUE(frame.seen.empty());
    install->SetEnabled(true);
    Click(frame, L"defaultInstallBtn");
    EXPECT_EQ(frame.seen, (Seen{{L"click", L"defaultInstallBtn"}}));
}

TEST_F(NotificationTest, SpaceAndEnterClickTheFocusedButton) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    frame.Find(L"defaultInstallBtn")->SetFocus();
    for (platform::WPARAM key : {platform::VK_SPACE, platform::VK_RETURN}) {
        platform::InjectKey(frame.GetHWND(), key, true);
        platform::InjectKey(frame.GetHWND(), key, false);
    }
    Skin::PumpMessages();
    EXPECT_EQ(frame.seen,
              (Seen{{L"click", L"defaultInstallBtn"}, {L"click", L"defaultInstallBtn"}}));
    EXPECT_TRUE(platform::IsWindow(frame.GetHWND()));
}

TEST_F(NotificationTest, TheFocusedEditTakesTypingUpTo255Characters) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    frame.Find<Skin::CTabLayout>(L"mainTabLt")->SelectItem(1, false);
    Skin::PumpMessages();
    Click(frame, L"installDirEdit");
    Skin::CControl* edit = frame.Find(L"installDirEdit");
    ASSERT_TRUE(edit->IsFocused());
    platform::InjectText(frame.GetHWND(), "/opt/画笔");
    platform::InjectKey(frame.GetHWND(), platform::VK_BACK, true);
    Skin::PumpMessages();
    EXPECT_EQ(edit->GetText(), L"/opt/画");
    for (int i = 0; i < 30; ++i) platform::InjectText(frame.GetHWND(), "abcdefghij");
    Skin::PumpMessages();
    EXPECT_EQ(edit->GetText().size(), 255u);
    EXPECT_EQ(edit->GetText().substr(0, 6), L"/opt/画");
}

TEST_F(NotificationTest, TabSelectOnlyForAChangeInRange) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    auto* pages = frame.Find<Skin::CTabLayout>(L"mainTabLt");
    EXPECT_EQ(pages->GetCurSel(), 0);
    EXPECT_TRUE(pages->SelectItem(0));  // the current index: nothing sent
    EXPECT_FALSE(pages->SelectItem(4));
    EXPECT_FALSE(pages->SelectItem(-1));
    EXPECT_TRUE(frame.seen.empty());

    std::vector<std::pair<platform::WPARAM, platform::LPARAM>> params;
    pages->SetNotifyDelegate(
        [&](Skin::Notification& n) { params.emplace_back(n.wParam, n.lParam); });
    EXPECT_TRUE(pages->SelectItem(2));
    EXPECT_EQ(frame.seen, (Seen{{L"tabselect", L"mainTabLt"}}));
    EXPECT_EQ(params, (std::vector<std::pair<platform::WPARAM, platform::LPARAM>>{{2, 0}}));
    EXPECT_EQ(pages->GetCurSel(), 2);
    EXPECT_TRUE(IsShown(frame.Find(L"installPrg")));
    EXPECT_FALSE(IsShown(frame.Find(L"defaultInstallBtn")));
}

TEST_F(NotificationTest, TimersRunPerControlAndIdAndRestartAfterKill) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    Skin::WindowManager& manager = frame.manager();
    Skin::CControl* label = frame.Find(L"textLbl");
    std::vector<platform::WPARAM> ticks;
    label->SetNotifyDelegate([&](Skin::Notification& n) {
        if (n.type == L"timer") ticks.push_back(n.wParam);
    });
    ASSERT_TRUE(manager.SetTimer(label, 7, 10));
    EXPECT_FALSE(manager.SetTimer(label, 7, 50));                       // running: unchanged
    ASSERT_TRUE(manager.SetTimer(frame.Find(L"captionLbl"), 7, 1000));  // another control

    while (ticks.size() < 3) {
        platform::MSG msg;
        ASSERT_TRUE(platform::GetMessage(&msg));
        platform::DispatchMessage(&msg);
    }
    EXPECT_EQ(ticks, (std::vector<platform::WPARAM>{7, 7, 7}));
    manager.KillTimer(label, 7);
    ticks.clear();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    Skin::PumpMessages();
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(manager.SetTimer(label, 7, 10));  // the killed pair starts again
    while (ticks.empty()) {
        platform::MSG msg;
        ASSERT_TRUE(platform::GetMessage(&msg));
        platform::DispatchMessage(&msg);
    }
    EXPECT_EQ(ticks.front(), 7u);
}

TEST_F(NotificationTest, AsynchronousNotificationsFromAnotherThreadArriveInOrderOnThisOne) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(frame.Open());
    Show(frame);
    Skin::CControl* root = frame.manager().Root();
    const auto mainThread = std::this_thread::get_id();
    std::vector<platform::WPARAM> order;
    bool otherThreadDelivery = false;
    root->SetNotifyDelegate([&](Skin::Notification& n) {
        if (n.type != L"checknet") return;
        order.push_back(n.wParam);
        otherThreadDelivery |= std::this_thread::get_id() != mainThread;
    });
    std::thread sender([&] {
        for (platform::WPARAM i = 0; i < 200; ++i) {
            frame.manager().SendNotify(root, L"checknet", i, 0, true);
        }
    });
    sender.join();
    EXPECT_TRUE(order.empty());  // nothing before the queue is drained
    Skin::PumpMessages();
    ASSERT_EQ(order.size(), 200u);
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
    EXPECT_FALSE(otherThreadDelivery);
}

class ModalTest : public HeadlessTest {};

TEST_F(ModalTest, PostedCloseEndsTheNestedLoopWithItsWParamAndFreesTheOwner) {
    RecordingFrame owner(L"MainWnd.xml");
    ASSERT_TRUE(owner.Open());
    owner.ShowWindow();
    RecordingFrame box(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(box.Open(owner.GetHWND()));
    // Closed from inside the loop, at the first tick of a timer.
    bool ownerWasDisabled = false;
    Skin::CControl* label = box.Find(L"textLbl");
    label->SetNotifyDelegate([&](Skin::Notification& n) {
        if (n.type != L"timer") return;
        ownerWasDisabled = !platform::IsWindowEnabled(owner.GetHWND());
        box.manager().KillTimer(label, 1);
        box.Close(7);
    });
    ASSERT_TRUE(box.manager().SetTimer(label, 1, 10));
    EXPECT_EQ(box.ShowModal(), 7);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_FALSE(platform::IsWindow(box.GetHWND()));
    EXPECT_TRUE(platform::IsWindowEnabled(owner.GetHWND()));
    EXPECT_EQ(platform::GetFocus(), owner.GetHWND());
}

TEST_F(ModalTest, CloseButtonEndsWithOneAndAltF4WithZero) {
    {
        RecordingFrame box(L"MessageBox1Wnd.xml");
        ASSERT_TRUE(box.Open());
        box.ShowWindow(true, false);
        Skin::PumpMessages();
        const auto [x, y] = box.CentreOf(L"closebtn");
        platform::InjectMouseMove(box.GetHWND(), x, y);
        platform::InjectMouseButton(box.GetHWND(), x, y, true);
        platform::InjectMouseButton(box.GetHWND(), x, y, false);
        EXPECT_EQ(box.ShowModal(), 1);
    }
    {
        RecordingFrame box(L"MessageBox1Wnd.xml");
        ASSERT_TRUE(box.Open());
        platform::InjectKey(box.GetHWND(), platform::VK_F4, true, platform::kKeyAlt);
        EXPECT_EQ(box.ShowModal(), 0);
    }
    {
        RecordingFrame box(L"MessageBox1Wnd.xml");
        ASSERT_TRUE(box.Open());
        platform::InjectCloseRequest(box.GetHWND());
        EXPECT_EQ(box.ShowModal(), 0);
    }
}

// A skinned window without the frame's Escape filter.
class PlainSkinWindow : public Skin::CSkinWindow {
protected:
    std::wstring GetSkinFile() const override { return L"MessageBox1Wnd.xml"; }
    int GetResourceType() const override { return Skin::kSkinFromPackageResource; }
    int GetResourceID() const override { return 147; }
};

TEST_F(ModalTest, EscapeDoesNothingInAFrameButClosesAPlainSkinWindow) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(frame.Open());
    frame.ShowWindow();
    platform::InjectKey(frame.GetHWND(), platform::VK_ESCAPE, true);
    platform::InjectKey(frame.GetHWND(), platform::VK_ESCAPE, false);
    Skin::PumpMessages();
    EXPECT_TRUE(platform::IsWindow(frame.GetHWND()));
    EXPECT_TRUE(platform::IsWindowVisible(frame.GetHWND()));

    PlainSkinWindow plain;
    ASSERT_NE(plain.Create(nullptr, L"plain", 0, 0, 0, 0, 0, 0), nullptr);
    platform::InjectKey(plain.GetHWND(), platform::VK_ESCAPE, true);
    EXPECT_EQ(plain.ShowModal(), 1);
}

TEST_F(ModalTest, QuitEndsTheLoopAndIsPostedAgain) {
    RecordingFrame box(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(box.Open());
    platform::PostQuitMessage(3);
    EXPECT_EQ(box.ShowModal(), 0);
    EXPECT_TRUE(platform::IsWindow(box.GetHWND()));
    platform::MSG msg;
    int others = 0;
    while (platform::GetMessage(&msg)) {
        platform::DispatchMessage(&msg);
        ASSERT_LT(++others, 100) << "no WM_QUIT";
    }
    EXPECT_EQ(msg.wParam, 3u);
}

class WindowOperationsTest : public HeadlessTest {};

TEST_F(WindowOperationsTest, TheCaptionBandDragsOverLabelsAndLayoutsButNotOverButtons) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(frame.Open());
    frame.CenterWindow();
    frame.ShowWindow();
    Skin::PumpMessages();
    platform::RECT window;
    platform::GetWindowRect(frame.GetHWND(), &window);
    auto hit = [&](int x, int y) {
        return frame.SendMessage(platform::WM_NCHITTEST, 0,
                                 platform::MAKELPARAM(window.left + x, window.top + y));
    };
    const auto [labelX, labelY] = frame.CentreOf(L"captionLbl");
    const auto [closeX, closeY] = frame.CentreOf(L"closebtn");
    EXPECT_EQ(hit(labelX, labelY), platform::HTCAPTION);
    EXPECT_EQ(hit(200, 5), platform::HTCAPTION);  // a plain control in the band
    EXPECT_EQ(hit(closeX, closeY), platform::HTCLIENT);
    EXPECT_EQ(hit(180, 100), platform::HTCLIENT);  // below the band

    // A press in the band is not a click on what is below it.
    frame.seen.clear();
    platform::InjectMouseButton(frame.GetHWND(), labelX, labelY, true);
    platform::InjectMouseButton(frame.GetHWND(), labelX, labelY, false);
    Skin::PumpMessages();
    EXPECT_TRUE(frame.seen.empty());
}

TEST_F(WindowOperationsTest, CenterWindowKeepsTheWindowInsideTheWorkArea) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(frame.Open());
    frame.CenterWindow();
    platform::RECT window;
    platform::GetWindowRect(frame.GetHWND(), &window);
    const platform::RECT work = platform::GetMonitorWorkArea(frame.GetHWND());
    EXPECT_EQ(window.right - window.left, 360);
    EXPECT_EQ(window.bottom - window.top, 180);
    EXPECT_EQ(window.left - work.left, (work.right - work.left) / 2 - 180);
    EXPECT_EQ(window.top - work.top, (work.bottom - work.top) / 2 - 90);
}

TEST_F(WindowOperationsTest, IconComesFromTheLinkedInResource) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    ASSERT_TRUE(frame.Open());
    EXPECT_TRUE(frame.SetIcon(platform::kWindowIconResourceId));
    EXPECT_FALSE(frame.SetIcon(999));
}

class LoadFailureTest : public HeadlessTest {};

TEST_F(LoadFailureTest, ASkinThatCannotBeBuiltEndsTheProcessWithOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::InitWindowing(platform::VideoBackend::Headless);
            RecordingFrame frame(L"NoSuchWnd.xml");
            frame.Open();
        },
        ::testing::ExitedWithCode(1), "Skin: 加载资源文件失败");
}

}  // namespace
}  // namespace toolkit_test
