#include "skin/edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "headless_frame.h"
#include "platform/clipboard.h"
#include "platform/window_input.h"
#include "skin/tab_layout.h"

namespace toolkit_test {
namespace {

using platform::kKeyControl;
using platform::kKeyShift;

// A key with its modifiers, or text typed when text is set.
struct Step {
    platform::WPARAM key = 0;
    unsigned modifiers = 0;
    const char* text = nullptr;
};

Step Key(platform::WPARAM key, unsigned modifiers = 0) { return {key, modifiers, nullptr}; }
Step Type(const char* text) { return {0, 0, text}; }

// The folder field of the custom page, focused, holding start.
class EditTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(frame_.Open());
        frame_.ShowWindow(true, true);
        frame_.Find<Skin::CTabLayout>(L"mainTabLt")->SelectItem(1, false);
        Skin::PumpMessages();
        edit_ = frame_.Find<Skin::CEdit>(L"installDirEdit");
        ASSERT_NE(edit_, nullptr);
        edit_->SetFocus();
    }

    void Start(const wchar_t* text) {
        edit_->SetText(text);
        Skin::PumpMessages();
        frame_.seen.clear();
    }

    void Run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            if (step.text != nullptr) {
                platform::InjectText(hwnd(), step.text);
            } else {
                platform::InjectKey(hwnd(), step.key, true, step.modifiers);
                platform::InjectKey(hwnd(), step.key, false, step.modifiers);
            }
        }
        Skin::PumpMessages();
    }

    void Press(int x, int y) {
        platform::InjectMouseMove(hwnd(), x, y);
        platform::InjectMouseButton(hwnd(), x, y, true);
    }
    void Release(int x, int y) {
        platform::InjectMouseMove(hwnd(), x, y);
        platform::InjectMouseButton(hwnd(), x, y, false);
        Skin::PumpMessages();
    }

    Skin::IntRect TextArea() const { return Deflate(edit_->GetPos(), edit_->GetTextPadding()); }
    int Middle() const { return (TextArea().top + TextArea().bottom) / 2; }

    size_t TextChanges() const {
        return std::count(frame_.seen.begin(), frame_.seen.end(),
                          std::pair<std::wstring, std::wstring>{L"textchanged", L"installDirEdit"});
    }

    platform::HWND hwnd() { return frame_.GetHWND(); }

    RecordingFrame frame_{L"MainWnd.xml"};
    Skin::CEdit* edit_ = nullptr;
};

TEST_F(EditTest, KeysMoveTheCaretExtendTheSelectionAndReplaceIt) {
    using platform::VK_BACK, platform::VK_DELETE, platform::VK_END, platform::VK_HOME,
        platform::VK_LEFT, platform::VK_RIGHT;
    struct Case {
        std::vector<Step> steps;
        std::wstring text;
        size_t caret;
        size_t selectionStart;
        size_t changes;
    };
    // Each case starts from "abcdef" with the caret at the end.
    const std::vector<Case> cases = {
        {{Key(VK_HOME), Key(VK_RIGHT, kKeyShift), Key(VK_RIGHT, kKeyShift)}, L"abcdef", 2, 0, 0},
        {{Key(VK_LEFT, kKeyShift), Key(VK_LEFT, kKeyShift), Key(VK_BACK)}, L"abcd", 4, 4, 1},
        {{Key(VK_HOME, kKeyShift), Type("x")}, L"x", 1, 1, 1},
        {{Key(VK_HOME), Key(VK_END, kKeyShift), Key(VK_DELETE)}, L"", 0, 0, 1},
        {{Key('A', kKeyControl), Type("z")}, L"z", 1, 1, 1},
        {{Key('A', kKeyControl), Key(VK_LEFT, kKeyShift)}, L"abcdef", 5, 0, 0},
        // Without Shift an arrow drops the selection at its near end.
        {{Key(VK_LEFT, kKeyShift), Key(VK_LEFT, kKeyShift), Key(VK_LEFT)}, L"abcdef", 4, 4, 0},
        {{Key(VK_HOME), Key(VK_RIGHT, kKeyShift), Key(VK_RIGHT)}, L"abcdef", 1, 1, 0},
        {{Key(VK_LEFT), Key(VK_LEFT), Key(VK_DELETE), Key(VK_BACK)}, L"abcf", 3, 3, 2},
        {{Key(VK_HOME), Key(VK_BACK), Key(VK_LEFT, kKeyShift)}, L"abcdef", 0, 0, 0},
        {{Key(VK_RIGHT), Key(VK_DELETE), Type("g")}, L"abcdefg", 7, 7, 1},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        Start(L"abcdef");
        Run(cases[i].steps);
        EXPECT_EQ(edit_->GetText(), cases[i].text);
        EXPECT_EQ(edit_->GetCaret(), cases[i].caret);
        EXPECT_EQ(edit_->GetSelectionStart(), cases[i].selectionStart);
        EXPECT_EQ(TextChanges(), cases[i].changes);
    }
}

TEST_F(EditTest, ClickPlacesTheCaretAndDragSelects) {
    Start(L"/opt/brushwell");
    const Skin::IntRect area = TextArea();
    Press(area.left, Middle());
    Release(area.left, Middle());
    EXPECT_EQ(edit_->GetCaret(), 0u);
    EXPECT_EQ(edit_->GetSelectionEnd(), 0u);

    // Past the end of the text: the caret goes after the last character.
    Press(area.left, Middle());
    Release(area.right - 2, Middle());
    EXPECT_EQ(edit_->GetSelectionStart(), 0u);
    EXPECT_EQ(edit_->GetSelectionEnd(), 14u);
    EXPECT_EQ(edit_->GetCaret(), 14u);

    // Dragging back over the text shortens the selection from the anchor.
    Press(area.right - 2, Middle());
    platform::InjectMouseMove(hwnd(), area.left + 2, Middle());
    Release(area.left + 2, Middle());
    EXPECT_EQ(edit_->GetSelectionStart(), 0u);
    EXPECT_EQ(edit_->GetSelectionEnd(), 14u);
    EXPECT_EQ(edit_->GetCaret(), 0u);
}

TEST_F(EditTest, TheSelectionIsDrawnBehindTheText) {
    constexpr uint32_t kHighlight = 0xFFB5D5FF;
    const auto highlighted = [this] {
        Skin::PumpMessages();
        platform::WindowPixels shot;
        EXPECT_TRUE(platform::ReadWindowPixels(hwnd(), &shot));
        const Skin::IntRect area = TextArea();
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += shot.pixels[static_cast<size_t>(y * shot.width + x)] == kHighlight;
            }
        }
        return count;
    };
    Start(L"/opt/brushwell");
    EXPECT_EQ(highlighted(), 0);
    Run({Key('A', kKeyControl)});
    EXPECT_GT(highlighted(), 0);
}

TEST_F(EditTest, PasteTakesTheFirstLineInPlaceOfTheSelectionUpToMaxChar) {
    ASSERT_TRUE(platform::SetClipboardText(L"/srv/\tone\r\nsecond line"));
    Start(L"/opt/x");
    Run({Key('A', kKeyControl), Key('V', kKeyControl)});
    EXPECT_EQ(edit_->GetText(), L"/srv/one");
    EXPECT_EQ(edit_->GetCaret(), 8u);
    EXPECT_EQ(TextChanges(), 1u);

    edit_->SetAttribute(L"maxchar", L"10");
    Start(L"/opt/x");
    Run({Key(platform::VK_HOME), Key(platform::VK_RIGHT, kKeyShift), Key('V', kKeyControl),
         Key('V', kKeyControl)});
    EXPECT_EQ(edit_->GetText(), L"/srv/opt/x");
    Start(L"/opt/x");
    Run({Key('V', kKeyControl), Key('V', kKeyControl)});
    EXPECT_EQ(edit_->GetText(), L"/opt/x/srv");
    EXPECT_EQ(edit_->GetCaret(), 10u);
    EXPECT_EQ(TextChanges(), 1u);

    edit_->SetReadOnly(true);
    Start(L"/opt/x");
    Run({Key('A', kKeyControl), Key('V', kKeyControl), Key('X', kKeyControl),
         Key(platform::VK_BACK), Type("y")});
    EXPECT_EQ(edit_->GetText(), L"/opt/x");
    EXPECT_EQ(TextChanges(), 0u);
    EXPECT_EQ(platform::GetClipboardText(), L"/srv/\tone\r\nsecond line");
    // Copying still works.
    Run({Key('C', kKeyControl)});
    EXPECT_EQ(platform::GetClipboardText(), L"/opt/x");
}

TEST_F(EditTest, CutAndCopyRoundTripThroughTheClipboard) {
    Start(L"/opt/画笔");
    Run({Key(platform::VK_HOME), Key(platform::VK_RIGHT, kKeyShift),
         Key(platform::VK_RIGHT, kKeyShift), Key(platform::VK_RIGHT, kKeyShift),
         Key(platform::VK_RIGHT, kKeyShift), Key('X', kKeyControl)});
    EXPECT_EQ(edit_->GetText(), L"/画笔");
    EXPECT_EQ(platform::GetClipboardText(), L"/opt");
    Run({Key(platform::VK_END), Key('V', kKeyControl)});
    EXPECT_EQ(edit_->GetText(), L"/画笔/opt");

    Run({Key(platform::VK_END, kKeyShift), Key(platform::VK_HOME, kKeyShift),
         Key(platform::VK_RIGHT, kKeyShift), Key('C', kKeyControl)});
    EXPECT_EQ(platform::GetClipboardText(), L"画笔/opt");
    EXPECT_EQ(edit_->GetText(), L"/画笔/opt");
    // Nothing selected: the clipboard keeps what it had.
    Run({Key(platform::VK_END), Key('C', kKeyControl), Key('X', kKeyControl)});
    EXPECT_EQ(platform::GetClipboardText(), L"画笔/opt");
    EXPECT_EQ(edit_->GetText(), L"/画笔/opt");
}

TEST_F(EditTest, ALongTextScrollsToKeepTheCaretInView) {
    Start(L"");
    for (int i = 0; i < 10; ++i) Run({Type("/brushwell")});
    ASSERT_EQ(edit_->GetText().size(), 100u);
    const Skin::IntRect area = TextArea();
    // The end of the text is in view: a click at the right edge lands there.
    Press(area.right - 1, Middle());
    Release(area.right - 1, Middle());
    EXPECT_GE(edit_->GetCaret(), 98u);

    // Back at the start the same spot is early in the text.
    Run({Key(platform::VK_HOME)});
    Press(area.right - 1, Middle());
    Release(area.right - 1, Middle());
    EXPECT_LT(edit_->GetCaret(), 60u);
    EXPECT_GT(edit_->GetCaret(), 0u);

    // Typing in the middle keeps the caret in view as the text grows.
    Run({Key(platform::VK_END), Key(platform::VK_LEFT), Type("x")});
    Press(area.right - 1, Middle());
    Release(area.right - 1, Middle());
    EXPECT_GE(edit_->GetCaret(), 99u);
}

}  // namespace
}  // namespace toolkit_test
