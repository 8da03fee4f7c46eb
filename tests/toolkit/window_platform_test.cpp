#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/layered_window.h"
#include "platform/window.h"
#include "platform/window_input.h"
#include "scratch_home.h"

namespace platform {
namespace {

std::vector<MSG>& Received() {
    static std::vector<MSG> received;
    return received;
}

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Received().push_back({hwnd, message, wParam, lParam});
    return DefWindowProc(hwnd, message, wParam, lParam);
}

std::vector<UINT> Messages(UINT except = WM_PAINT) {
    std::vector<UINT> out;
    for (const MSG& m : Received()) {
        if (m.message != except) out.push_back(m.message);
    }
    return out;
}

void DispatchWaiting() {
    MSG msg;
    while (PeekMessage(&msg)) DispatchMessage(&msg);
}

class WindowPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitWindowing(VideoBackend::Headless));
        ASSERT_TRUE(IsHeadless());
        Received().clear();
        hwnd_ = CreateWindowEx(L"test", 10, 20, 120, 80, nullptr, &RecordingProc, nullptr);
        ASSERT_NE(hwnd_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(hwnd_);
        DispatchWaiting();
    }

    test_support::ScratchHome home_;
    HWND hwnd_ = nullptr;
};

TEST_F(WindowPlatformTest, CreationAndDestructionSendTheirMessagesInOrder) {
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE}));
    EXPECT_EQ(Received()[2].lParam, MAKELPARAM(120, 80));
    Received().clear();
    ASSERT_TRUE(DestroyWindow(hwnd_));
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(hwnd_));
}

TEST_F(WindowPlatformTest, MessagesPostedFromOtherThreadsArriveInOrderAndDeadWindowsGetNone) {
    Received().clear();
    std::thread poster([this] {
        for (WPARAM i = 0; i < 100; ++i)
            PostMessage(hwnd_, WM_USER + 1000, i, -static_cast<LPARAM>(i));
    });
    poster.join();
    DispatchWaiting();
    std::vector<WPARAM> order;
    for (const MSG& m : Received()) {
        if (m.message != WM_USER + 1000) continue;
        EXPECT_EQ(m.lParam, -static_cast<LPARAM>(m.wParam));
        order.push_back(m.wParam);
    }
    ASSERT_EQ(order.size(), 100u);
    for (WPARAM i = 0; i < 100; ++i) EXPECT_EQ(order[i], i);

    HWND other = CreateWindowEx(L"other", 0, 0, 10, 10, nullptr, &RecordingProc, nullptr);
    PostMessage(other, WM_USER + 1, 0, 0);
    DestroyWindow(other);
    Received().clear();
    DispatchWaiting();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WindowPlatformTest, TimerTicksCoalesceAndStopWhenKilled) {
    ASSERT_NE(SetTimer(hwnd_, 5, 10), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    Received().clear();
    DispatchWaiting();
    int ticks = 0;
    for (const MSG& m : Received()) {
        if (m.message == WM_TIMER) {
            EXPECT_EQ(m.wParam, 5u);
            ++ticks;
        }
    }
    EXPECT_EQ(ticks, 1);  // eleven periods passed; one message waited

    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(KillTimer(hwnd_, 5));
    EXPECT_FALSE(KillTimer(hwnd_, 5));
    Received().clear();
    DispatchWaiting();
    EXPECT_TRUE(Messages().empty());  // the waiting tick went with the timer
}

TEST_F(WindowPlatformTest, TheLongestPeriodsDoNotFireAtOnce) {
    for (UINT period : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        ASSERT_NE(SetTimer(hwnd_, 6, period), 0u);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        Received().clear();
        DispatchWaiting();
        EXPECT_TRUE(Messages().empty()) << period;
        EXPECT_TRUE(KillTimer(hwnd_, 6));
    }
}

TEST_F(WindowPlatformTest, RoundRegionClipsWhatIsPresented) {
    ASSERT_TRUE(SetWindowRoundRegion(hwnd_, {0, 0, 121, 81}, 20, 20));
    EXPECT_FALSE(PointInWindowRegion(hwnd_, 0, 0));
    EXPECT_TRUE(PointInWindowRegion(hwnd_, 10, 0));
    EXPECT_TRUE(PointInWindowRegion(hwnd_, 60, 40));
    std::vector<std::uint32_t> white(120 * 80, 0xFFFFFFFF);
    ASSERT_TRUE(PresentBits(hwnd_, white.data(), 120, 80));
    WindowPixels shot;
    ASSERT_TRUE(ReadWindowPixels(hwnd_, &shot));
    ASSERT_EQ(shot.width, 120);
    ASSERT_EQ(shot.height, 80);
    EXPECT_EQ(shot.pixels[0] & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixels[40 * 120 + 60] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shot.pixels[79 * 120 + 119] & 0xFFFFFF, 0u);
}

TEST_F(WindowPlatformTest, InputReachesOnlyEnabledWindows) {
    Received().clear();
    EnableWindow(hwnd_, false);
    InjectMouseButton(hwnd_, 5, 5, true);
    InjectKey(hwnd_, 'A', true);
    DispatchWaiting();
    EXPECT_TRUE(Messages().empty());
    EnableWindow(hwnd_, true);
    InjectMouseButton(hwnd_, 5, 6, true);
    InjectKey(hwnd_, 'A', true);
    InjectText(hwnd_, "安a");
    DispatchWaiting();
    EXPECT_EQ(Messages(WM_NCHITTEST),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR, WM_CHAR}));
    const auto& r = Received();
    EXPECT_EQ(GET_Y_LPARAM(r[1].lParam), 6);
    EXPECT_EQ(r[2].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(r[3].wParam, static_cast<WPARAM>(L'安'));
    EXPECT_EQ(r[4].wParam, static_cast<WPARAM>(L'a'));
}

TEST_F(WindowPlatformTest, MovesAndVisibilityChangesAreSentOnlyWhenSomethingChanges) {
    Received().clear();
    SetWindowPos(hwnd_, 30, 40, 0, 0, SWP_NOSIZE);
    SetWindowPos(hwnd_, 30, 40, 0, 0, SWP_NOSIZE);  // the same place
    SetWindowPos(hwnd_, 31, 41, 60, 50, 0);         // size first, then the move
    ShowWindow(hwnd_, SW_SHOW);
    ShowWindow(hwnd_, SW_SHOWNORMAL);  // already shown
    ShowWindow(hwnd_, SW_HIDE);
    EXPECT_EQ(Messages(),
              (std::vector<UINT>{WM_MOVE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_SHOWWINDOW}));
    const auto& r = Received();
    EXPECT_EQ(r[0].lParam, MAKELPARAM(30, 40));
    EXPECT_EQ(r[2].lParam, MAKELPARAM(31, 41));
    EXPECT_EQ(r[3].wParam, 1u);
    EXPECT_EQ(r[4].wParam, 0u);
}

TEST_F(WindowPlatformTest, LayeredPopupsShowTheirBitsTopRowFirstAndLetInputPass) {
    ASSERT_TRUE(LayeredWindowsAvailable());
    HWND popup = CreateLayeredPopup(hwnd_);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindowOwner(popup), hwnd_);
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(CreateLayeredPopup(nullptr), nullptr);

    // Bottom-up rows: the first row in memory is the bottom one.
    const std::uint32_t bits[] = {0x10000000, 0x20000000, 0x30000000,
                                  0x40000000, 0x50000000, 0x60000000};
    ASSERT_TRUE(UpdateLayeredWindow(popup, 7, 9, 3, 2, bits));
    RECT rect;
    GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(rect.top, 9);
    EXPECT_EQ(rect.right, 10);
    EXPECT_EQ(rect.bottom, 11);
    WindowPixels shown;
    ASSERT_TRUE(ReadWindowPixels(popup, &shown));
    EXPECT_EQ(shown.pixels, (std::vector<std::uint32_t>{0x40000000, 0x50000000, 0x60000000,
                                                        0x10000000, 0x20000000, 0x30000000}));
    EXPECT_FALSE(UpdateLayeredWindow(hwnd_, 0, 0, 3, 2, bits));  // not a layered window

    SetWindowProc(popup, &RecordingProc);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    DispatchWaiting();
    Received().clear();
    InjectMouseButton(popup, 1, 1, true);
    InjectKey(popup, 'A', true);
    DispatchWaiting();
    EXPECT_TRUE(Messages().empty());

    DestroyWindow(hwnd_);  // the owner takes its popup along
    EXPECT_FALSE(IsWindow(popup));
}

}  // namespace
}  // namespace platform
