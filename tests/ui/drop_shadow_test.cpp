#include "ui/drop_shadow.h"

#include <gtest/gtest.h>

#include "headless_frame.h"
#include "platform/layered_window.h"
#include "platform/window_input.h"

namespace ui_test {
namespace {

using toolkit_test::RecordingFrame;

class DropShadowTest : public toolkit_test::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        CDropShadow::Initialize();
        ASSERT_TRUE(platform::LayeredWindowsAvailable());
    }
    void TearDown() override {
        Skin::SetWindowShadowFactory(nullptr);
        HeadlessTest::TearDown();
    }

    // A shown message box skin at 100,80 and its shadow.
    CDropShadow& Open(RecordingFrame& frame) {
        EXPECT_TRUE(frame.Open());
        platform::SetWindowPos(frame.GetHWND(), 100, 80, 0, 0, platform::SWP_NOSIZE);
        frame.ShowWindow(true, true);
        Skin::PumpMessages();
        return dynamic_cast<CDropShadow&>(frame.shadow());
    }

    static platform::RECT RectOf(platform::HWND hwnd) {
        platform::RECT rect;
        platform::GetWindowRect(hwnd, &rect);
        return rect;
    }
};

TEST_F(DropShadowTest, TheSkinsLookIsPresentedAroundTheOwner) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    CDropShadow& shadow = Open(frame);
    const ShadowLook& look = shadow.look();
    EXPECT_EQ(look.size, 6);
    EXPECT_EQ(look.sharpness, 10);
    EXPECT_EQ(look.darkness, 20);
    EXPECT_EQ(look.offsetX, 1);
    EXPECT_EQ(look.offsetY, 1);
    EXPECT_EQ(look.color, 0x003B76u);

    ASSERT_TRUE(platform::IsWindowVisible(shadow.window()));
    EXPECT_EQ(platform::GetWindowOwner(shadow.window()), frame.GetHWND());
    const platform::RECT r = RectOf(shadow.window());
    EXPECT_EQ(r.left, 95);
    EXPECT_EQ(r.top, 75);
    EXPECT_EQ(r.right - r.left, 372);
    EXPECT_EQ(r.bottom - r.top, 192);
    platform::WindowPixels shown;
    ASSERT_TRUE(platform::ReadWindowPixels(shadow.window(), &shown));
    ASSERT_EQ(shown.width, 372);
    ASSERT_EQ(shown.height, 192);
    // Top-down as shown: the wider edge is on the right and at the bottom.
    EXPECT_EQ(shown.pixels[96 * 372 + 0] >> 24, 1u);
    EXPECT_EQ(shown.pixels[96 * 372 + 365], 0x0C050200u);
    EXPECT_EQ(shown.pixels[185 * 372 + 186], 0x0C050200u);
    EXPECT_EQ(shown.pixels[96 * 372 + 186], 0u);
    // Showing the shadow leaves the focus with its owner.
    EXPECT_EQ(platform::GetFocus(), frame.GetHWND());
}

TEST_F(DropShadowTest, FollowsTheOwnersMovesSizesAndVisibility) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    CDropShadow& shadow = Open(frame);
    const platform::HWND owner = frame.GetHWND();
    const platform::HWND window = shadow.window();

    platform::SetWindowPos(owner, 300, 200, 0, 0, platform::SWP_NOSIZE);
    EXPECT_EQ(RectOf(window).left, 295);
    EXPECT_EQ(RectOf(window).top, 195);

    // Smaller: at once. Larger: once the owner has painted.
    platform::SetWindowPos(owner, 0, 0, 300, 150, platform::SWP_NOMOVE);
    EXPECT_EQ(RectOf(window).right - RectOf(window).left, 312);
    EXPECT_EQ(RectOf(window).bottom - RectOf(window).top, 162);
    platform::SetWindowPos(owner, 0, 0, 400, 200, platform::SWP_NOMOVE);
    EXPECT_EQ(RectOf(window).right - RectOf(window).left, 312);
    platform::InvalidateRect(owner);
    Skin::PumpMessages();
    EXPECT_EQ(RectOf(window).right - RectOf(window).left, 412);
    EXPECT_EQ(RectOf(window).bottom - RectOf(window).top, 212);
    EXPECT_EQ(RectOf(window).left, 295);

    // Minimised or maximised: hidden until restored.
    for (platform::WPARAM state : {platform::SIZE_MINIMIZED, platform::SIZE_MAXIMIZED}) {
        platform::SendMessage(owner, platform::WM_SIZE, state, 0);
        EXPECT_FALSE(platform::IsWindowVisible(window));
        platform::SendMessage(owner, platform::WM_SIZE, platform::SIZE_RESTORED,
                              platform::MAKELPARAM(400, 200));
        EXPECT_TRUE(platform::IsWindowVisible(window));
    }

    frame.ShowWindow(false);
    EXPECT_FALSE(platform::IsWindowVisible(window));
    platform::SetWindowPos(owner, 10, 20, 0, 0, platform::SWP_NOSIZE);  // hidden: not followed
    frame.ShowWindow(true, false);
    EXPECT_TRUE(platform::IsWindowVisible(window));
    Skin::PumpMessages();  // the owner's paint brings the shadow up to date
    EXPECT_EQ(RectOf(window).left, 5);
    EXPECT_EQ(RectOf(window).top, 15);
}

TEST_F(DropShadowTest, GoesWithItsOwner) {
    platform::HWND window = nullptr;
    {
        RecordingFrame frame(L"exitTipWnd.xml");
        window = Open(frame).window();
        ASSERT_TRUE(platform::IsWindow(window));
    }
    EXPECT_FALSE(platform::IsWindow(window));

    RecordingFrame frame(L"exitTipWnd.xml");
    CDropShadow& shadow = Open(frame);
    window = shadow.window();
    platform::DestroyWindow(frame.GetHWND());
    EXPECT_FALSE(platform::IsWindow(window));
    EXPECT_EQ(shadow.window(), nullptr);
}

TEST_F(DropShadowTest, SettersOutsideTheirRangesChangeNothing) {
    RecordingFrame frame(L"InstalledPathTipWnd.xml");
    CDropShadow& shadow = Open(frame);
    const ShadowLook before = shadow.look();
    EXPECT_EQ(before.color, 0xEDF0F4u);  // "#FFEDF0F4": the top byte is ignored
    EXPECT_FALSE(shadow.SetSize(21));
    EXPECT_FALSE(shadow.SetSize(-21));
    EXPECT_FALSE(shadow.SetSharpness(21));
    EXPECT_FALSE(shadow.SetSharpness(-1));
    EXPECT_FALSE(shadow.SetDarkness(256));
    EXPECT_FALSE(shadow.SetDarkness(-1));
    EXPECT_FALSE(shadow.SetPosition(21, 0));
    EXPECT_FALSE(shadow.SetPosition(0, -21));
    const ShadowLook after = shadow.look();
    EXPECT_EQ(std::tie(after.size, after.sharpness, after.darkness, after.offsetX, after.offsetY,
                       after.color),
              std::tie(before.size, before.sharpness, before.darkness, before.offsetX,
                       before.offsetY, before.color));
    EXPECT_EQ(RectOf(shadow.window()).right - RectOf(shadow.window()).left, 412);

    // In range: a visible shadow is drawn again at once.
    EXPECT_TRUE(shadow.SetSize(20));
    EXPECT_TRUE(shadow.SetPosition(-20, 20));
    EXPECT_TRUE(shadow.SetDarkness(255));
    EXPECT_TRUE(shadow.SetSharpness(0));
    const platform::RECT r = RectOf(shadow.window());
    EXPECT_EQ(r.right - r.left, 440);
    EXPECT_EQ(r.left, 100 - 20 - 20);
    EXPECT_EQ(r.top, 80 + 20 - 20);
}

TEST_F(DropShadowTest, AnImageShadowIsNineGridScaledAroundTheOwnerWithItsHoleClear) {
    RecordingFrame frame(L"MessageBox1Wnd.xml");
    CDropShadow& shadow = Open(frame);
    auto image = std::make_shared<Skin::Bitmap>();
    image->width = 30;
    image->height = 30;
    image->pixels.assign(30 * 30, 0x80000000);
    EXPECT_FALSE(shadow.SetImage(nullptr, {}, {}));
    // The hole reaches 4 pixels into the 10-pixel corners' bands.
    ASSERT_TRUE(shadow.SetImage(image, {10, 10, 10, 10}, {-4, -4, -4, -4}));

    const platform::RECT r = RectOf(shadow.window());
    EXPECT_EQ(r.left, 90);
    EXPECT_EQ(r.top, 70);
    EXPECT_EQ(r.right - r.left, 380);
    EXPECT_EQ(r.bottom - r.top, 200);
    platform::WindowPixels shown;
    ASSERT_TRUE(platform::ReadWindowPixels(shadow.window(), &shown));
    auto at = [&shown](int x, int y) { return shown.pixels[y * shown.width + x]; };
    EXPECT_EQ(at(0, 0), 0x80000000u);
    EXPECT_EQ(at(5, 100), 0x80000000u);
    EXPECT_EQ(at(374, 195), 0x80000000u);
    EXPECT_EQ(at(6, 100), 0u);    // in the hole
    EXPECT_EQ(at(190, 8), 0u);    // in the hole
    EXPECT_EQ(at(190, 100), 0u);  // the centre is left out

    platform::SetWindowPos(frame.GetHWND(), 200, 150, 0, 0, platform::SWP_NOSIZE);
    EXPECT_EQ(RectOf(shadow.window()).left, 190);
    EXPECT_EQ(RectOf(shadow.window()).top, 140);
}

}  // namespace
}  // namespace ui_test
