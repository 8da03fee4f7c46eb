#include "ui/sequence_controls.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/window.h"
#include "scratch_home.h"
#include "skin/container.h"
#include "skin/message_pump.h"
#include "skin/skin_frame.h"
#include "ui/integer_format.h"
#include "ui/sequence_button.h"
#include "ui/sequence_label.h"

namespace {

using Frames = std::vector<std::wstring>;

// The shipped main window skin with the program's own controls, on the
// headless video driver.
class SequenceFrame : public Skin::CSkinFrame {
public:
    SequenceFrame()
        : CSkinFrame({Skin::kSkinFromPackageResource, 147, L"", L"MainWnd.xml", L"MainWnd"}) {}
    std::unique_ptr<Skin::CControl> CreateCustomControl(std::wstring_view tagName) override {
        return CreateSequenceControl(tagName);
    }
};

class SequenceControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::InitWindowing(platform::VideoBackend::Headless));
        ASSERT_NE(frame.Create(nullptr, L"test", 0, 0, 0, 0, 0, 0), nullptr);
        frame.ShowWindow(true, false);
        Skin::PumpMessages();
    }
    void TearDown() override { Skin::PumpMessages(); }

    // A label with these attributes, attached to the window.
    template <typename Control = Skin::CSequenceLabel>
    Control* Attach(const std::vector<std::pair<std::wstring, std::wstring>>& attributes) {
        auto control = std::make_unique<Control>();
        for (const auto& [name, value] : attributes) control->SetAttribute(name, value);
        Control* raw = control.get();
        auto* parent = dynamic_cast<Skin::CContainer*>(frame.manager().FindControl(L"winCtn"));
        EXPECT_TRUE(parent->Add(std::move(control)));
        return raw;
    }

    // One tick of the animation timer, as the window's timer delivers it.
    static void Tick(Skin::CControl* control) {
        Skin::ControlEvent event;
        event.type = Skin::ControlEventType::kTimer;
        event.sender = control;
        event.wParam = FrameSequence::kTimerId;
        control->DoEvent(event);
    }

    // Whether the control's animation timer runs (asking starts it when it
    // does not, so it is stopped again).
    bool Running(Skin::CControl* control) {
        const bool started = frame.manager().SetTimer(control, FrameSequence::kTimerId, 1000);
        if (started) frame.manager().KillTimer(control, FrameSequence::kTimerId);
        return !started;
    }

    // The background after each tick, until the animation stops or `ticks` ran.
    Frames Play(Skin::CControl* control, int ticks) {
        Frames shown;
        for (int i = 0; i < ticks && Running(control); ++i) {
            Tick(control);
            shown.push_back(control->GetBkImage());
        }
        return shown;
    }

    test_support::ScratchHome home;
    SequenceFrame frame;
};

TEST_F(SequenceControls, FrameOrdersOfRoundAndLoop) {
    struct Case {
        const wchar_t* round;
        const wchar_t* loop;
        Frames frames;
        bool runsOn;
    };
    const Case cases[] = {
        {L"false", L"true", {L"f0", L"f1", L"f2", L"f3", L"f0", L"f1", L"f2", L"f3", L"f0"}, true},
        {L"false", L"false", {L"f0", L"f1", L"f2", L"f3", L"f3"}, false},
        {L"true", L"true", {L"f0", L"f1", L"f2", L"f3", L"f2", L"f1", L"f0", L"f1", L"f2"}, true},
        {L"true", L"false", {L"f0", L"f1", L"f2", L"f3", L"f2", L"f1", L"f1"}, false},
    };
    for (const Case& c : cases) {
        Skin::CSequenceLabel* label = Attach({{L"sequencebkimage", L"f%d"},
                                              {L"sequencecount", L"4"},
                                              {L"sequenceround", c.round},
                                              {L"sequenceloop", c.loop}});
        EXPECT_FALSE(Running(label));
        label->StartAnimation();
        EXPECT_EQ(Play(label, 9), c.frames) << "round " << c.round << ", loop " << c.loop;
        EXPECT_EQ(Running(label), c.runsOn);
    }
}

TEST_F(SequenceControls, AttributeRules) {
    // Only the exact "false" turns a switch off; the names but the pattern's
    // ignore letter case.
    Skin::CSequenceLabel* capital = Attach({{L"sequencebkimage", L"f%d"},
                                            {L"SequenceCount", L"2"},
                                            {L"SEQUENCESPAN", L"45"},
                                            {L"sequenceloop", L"False"},
                                            {L"AutoStart", L"False"}});
    EXPECT_EQ(capital->GetSequenceCount(), 2);
    EXPECT_EQ(capital->GetSequencePeriod(), 45);
    EXPECT_TRUE(Running(capital)) << "autostart";
    EXPECT_EQ(Play(capital, 5), (Frames{L"f0", L"f1", L"f0", L"f1", L"f0"}));

    Skin::CSequenceLabel* lower = Attach({{L"sequencebkimage", L"f%d"}, {L"autostart", L"false"}});
    EXPECT_FALSE(Running(lower));

    Skin::CSequenceLabel* wrongCase = Attach({{L"SequenceBkImage", L"f%d"}});
    EXPECT_EQ(wrongCase->GetSequencePattern(), L"");

    // Defaults: the label plays forwards at 30 ms, the button back and forth at 60 ms.
    Skin::CSequenceLabel* label = Attach({});
    EXPECT_EQ(label->GetSequencePeriod(), 30);
    EXPECT_FALSE(Running(label));
    auto* button = Attach<Skin::CSequenceButton>({{L"sequencebkimage", L"b%02d.png"},
                                                  {L"sequencecount", L"3"},
                                                  {L"sequenceloop", L"false"}});
    EXPECT_EQ(button->GetSequencePeriod(), 60);
    button->StartAnimation();
    EXPECT_EQ(Play(button, 9),
              (Frames{L"b00.png", L"b01.png", L"b02.png", L"b01.png", L"b01.png"}));
}

TEST_F(SequenceControls, StartOnARunningAnimationBeginsAgainAtFrameZero) {
    Skin::CSequenceLabel* label =
        Attach({{L"sequencebkimage", L"f%d"}, {L"sequencecount", L"5"}, {L"autostart", L"true"}});
    EXPECT_EQ(Play(label, 3), (Frames{L"f0", L"f1", L"f2"}));
    label->StartAnimation();
    EXPECT_EQ(Play(label, 2), (Frames{L"f0", L"f1"}));
}

TEST_F(SequenceControls, AnEmptyOrUnusablePatternChangesNothing) {
    for (const wchar_t* pattern : {L"", L"%s.png", L"%d-%d.png", L"%n", L"%999999d"}) {
        Skin::CSequenceLabel* label = Attach(
            {{L"bkimage", L"still.png"}, {L"sequencebkimage", pattern}, {L"sequencecount", L"3"}});
        label->StartAnimation();
        EXPECT_EQ(Play(label, 4), Frames(4, L"still.png")) << pattern;
    }
}

TEST_F(SequenceControls, TheShippedAnimationRunsThroughItsTwentyFiveFrames) {
    auto* animation =
        dynamic_cast<Skin::CSequenceLabel*>(frame.manager().FindControl(L"progressAnLb"));
    ASSERT_NE(animation, nullptr);
    EXPECT_STREQ(animation->GetClass(), L"SequenceLabel");
    EXPECT_EQ(animation->GetSequencePattern(), L"res\\mainWnd\\installBtnAnimate\\%.3d.png");
    EXPECT_EQ(animation->GetSequencePeriod(), 30);
    // Autostarted with the window: the real timer moves it on.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (animation->GetBkImage().empty() && std::chrono::steady_clock::now() < until) {
        Skin::PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(animation->GetBkImage().rfind(L"res\\mainWnd\\installBtnAnimate\\0", 0), 0u);

    animation->StartAnimation();
    const Frames frames = Play(animation, 26);
    ASSERT_EQ(frames.size(), 26u);
    EXPECT_EQ(frames[0], L"res\\mainWnd\\installBtnAnimate\\000.png");
    EXPECT_EQ(frames[24], L"res\\mainWnd\\installBtnAnimate\\024.png");
    EXPECT_EQ(frames[25], L"res\\mainWnd\\installBtnAnimate\\000.png");
}

TEST(SequenceControlTags, TagsIgnoreLetterCase) {
    EXPECT_STREQ(CreateSequenceControl(L"sequencelabel")->GetClass(), L"SequenceLabel");
    EXPECT_STREQ(CreateSequenceControl(L"SEQUENCEBUTTON")->GetClass(), L"SequenceButton");
    EXPECT_EQ(CreateSequenceControl(L"Label"), nullptr);
}

TEST(IntegerPattern, OneIntegerConversionAtMost) {
    struct Case {
        const wchar_t* pattern;
        int value;
        size_t buffer;
        std::optional<std::wstring> text;
    };
    const Case cases[] = {
        {L"res\\%.3d.png", 7, 260, L"res\\007.png"},
        {L"正在安装中:%d%%，请稍候...", 35, 250, L"正在安装中:35%，请稍候..."},
        {L"%-4d|%x", 10, 260, std::nullopt},
        {L"[%-4d]", 10, 260, L"[10  ]"},
        {L"no number", 1, 260, L"no number"},
        {L"%ls", 1, 260, std::nullopt},
        {L"%", 1, 260, std::nullopt},
        {L"abcdef%d", 42, 5, L"abcd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatIntegerPattern(c.pattern, c.value, c.buffer), c.text) << c.pattern;
    }
}

}  // namespace
