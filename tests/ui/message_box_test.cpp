#include "ui/message_box.h"

#include <gtest/gtest.h>

#include "ui_window_test.h"

namespace ui_test {
namespace {

enum class Action { kClickOk, kClickCancel, kClickClose, kAltF4, kEscape };

void Perform(platform::HWND box, Action action) {
    switch (action) {
        case Action::kClickOk:
            return ClickControl(box, L"okBtn");
        case Action::kClickCancel:
            return ClickControl(box, L"cancelBtn");
        case Action::kClickClose:
            return ClickControl(box, L"closebtn");
        case Action::kAltF4:
            platform::InjectKey(box, platform::VK_F4, true, platform::kKeyAlt);
            platform::InjectKey(box, platform::VK_F4, false, platform::kKeyAlt);
            return;
        case Action::kEscape:
            platform::InjectKey(box, platform::VK_ESCAPE, true);
            platform::InjectKey(box, platform::VK_ESCAPE, false);
            return;
    }
}

struct BoxCase {
    const wchar_t* skin;
    std::vector<Action> actions;
    int result;
};

void PrintTo(const BoxCase& c, std::ostream* out) {
    *out << testing::PrintToString(std::wstring(c.skin)) << " after " << c.actions.size()
         << " actions, result " << c.result;
}

class MessageBoxTest : public HeadlessTest, public ::testing::WithParamInterface<BoxCase> {};

// Every step runs from a message posted to the owner, so each one also shows
// the owner is served while the box's own loop runs.
TEST_P(MessageBoxTest, TheButtonThatClosesTheBoxIsTheResult) {
    const BoxCase& c = GetParam();
    ScriptedOwner owner;
    ASSERT_TRUE(owner.Open());
    platform::HWND box = nullptr;
    std::vector<std::function<void()>> steps;
    for (Action action : c.actions) {
        steps.push_back([&box, &owner, action] {
            if (box == nullptr) box = platform::GetFocus();
            ASSERT_NE(box, owner.GetHWND());
            ASSERT_TRUE(platform::IsWindow(box)) << "closed before the last step";
            EXPECT_FALSE(platform::IsWindowEnabled(owner.GetHWND()));
            Perform(box, action);
        });
    }
    owner.Script(std::move(steps));

    EXPECT_EQ(ShowMessageBox(owner.GetHWND(), MessageBoxSource(c.skin), nullptr, nullptr),
              c.result);
    EXPECT_TRUE(owner.finished());
    EXPECT_FALSE(platform::IsWindow(box));
    EXPECT_TRUE(platform::IsWindowEnabled(owner.GetHWND()));
}

INSTANTIATE_TEST_SUITE_P(
    Skins, MessageBoxTest,
    ::testing::Values(BoxCase{L"exitTipWnd.xml", {Action::kClickOk}, 0},
                      BoxCase{L"exitTipWnd.xml", {Action::kClickCancel}, 1},
                      BoxCase{L"exitTipWnd.xml", {Action::kClickClose}, 2},
                      BoxCase{L"NetworkTipWnd.xml", {Action::kClickOk}, 0},
                      BoxCase{L"NetworkTipWnd.xml", {Action::kAltF4}, 1},
                      BoxCase{L"InstalledPathTipWnd.xml", {Action::kClickCancel}, 1},
                      BoxCase{L"InstalledPathTipWnd.xml", {Action::kClickClose}, 2},
                      // Escape leaves the box open: the next step still finds it.
                      BoxCase{L"InstalledPathTipWnd.xml", {Action::kEscape, Action::kClickOk}, 0},
                      BoxCase{L"MessageBox1Wnd.xml", {Action::kEscape, Action::kClickClose}, 2},
                      BoxCase{L"MessageBox2Wnd.xml", {Action::kAltF4}, 1}));

TEST(MessageBoxSourceTest, PackagedResourceNamedAfterTheFileUpToItsLastDot) {
    const Skin::SkinSource source = MessageBoxSource(L"exitTipWnd.xml");
    EXPECT_EQ(source.resourceKind, Skin::kSkinFromPackageResource);
    EXPECT_EQ(source.resourceId, 147);
    EXPECT_EQ(source.skinFolder, L"");
    EXPECT_EQ(source.skinFile, L"exitTipWnd.xml");
    EXPECT_EQ(source.windowClassName, L"exitTipWnd");
    EXPECT_EQ(MessageBoxSource(L"a.b.xml").windowClassName, L"a.b");
    EXPECT_EQ(MessageBoxSource(L"plain").windowClassName, L"plain");
}

class MessageBoxTextTest : public HeadlessTest {};

TEST_F(MessageBoxTextTest, TextAndCaptionReplaceTheSkinsOwnAndAreCentredOverTheOwner) {
    struct TextCase {
        const wchar_t* text;
        const wchar_t* caption;
        std::wstring shownText;
        std::wstring shownCaption;
    };
    const TextCase cases[] = {
        {L"磁盘空间不足\n请清理后重试", L"温馨提示", L"磁盘空间不足\n请清理后重试", L"温馨提示"},
        {nullptr, nullptr, L"TEXT", L"CAPTION"},
        {L"", nullptr, L"", L"CAPTION"},
    };
    ScriptedOwner owner;
    ASSERT_TRUE(owner.Open());
    platform::SetWindowPos(owner.GetHWND(), 40, 30, 0, 0, platform::SWP_NOSIZE);
    for (const TextCase& c : cases) {
        std::wstring text, caption;
        platform::RECT boxRect, ownerRect;
        owner.Script({[&] {
            platform::HWND box = platform::GetFocus();
            Skin::WindowManager& manager = SkinWindowOf(box)->manager();
            text = manager.FindControl(L"textLbl")->GetText();
            caption = manager.FindControl(L"captionLbl")->GetText();
            platform::GetWindowRect(box, &boxRect);
            platform::GetWindowRect(owner.GetHWND(), &ownerRect);
            ClickControl(box, L"closebtn");
        }});
        EXPECT_EQ(ShowMessageBox(owner.GetHWND(), MessageBoxSource(L"MessageBox1Wnd.xml"), c.text,
                                 c.caption),
                  2);
        EXPECT_EQ(text, c.shownText);
        EXPECT_EQ(caption, c.shownCaption);
        EXPECT_EQ(boxRect.right - boxRect.left, 360);
        EXPECT_EQ(boxRect.bottom - boxRect.top, 180);
        EXPECT_EQ(boxRect.left + boxRect.right, ownerRect.left + ownerRect.right);
        EXPECT_EQ(boxRect.top + boxRect.bottom, ownerRect.top + ownerRect.bottom);
    }
}

// A tip window has no text labels: what it says comes from the skin.
TEST_F(MessageBoxTextTest, TipWindowsWithoutLabelsIgnoreTheTexts) {
    ScriptedOwner owner;
    ASSERT_TRUE(owner.Open());
    owner.Script({[] { ClickControl(platform::GetFocus(), L"okBtn"); }});
    EXPECT_EQ(ShowMessageBox(owner.GetHWND(), MessageBoxSource(L"NetworkTipWnd.xml"), L"x", L"y"),
              0);
}

}  // namespace
}  // namespace ui_test
