#include "ui/main_wnd.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "app/install_settings.h"
#include "fault_server.h"
#include "platform/process_lookup.h"
#include "platform/window_input.h"
#include "run_process.h"
#include "scratch_home.h"
#include "script_file.h"
#include "skin/check_box.h"
#include "skin/message_pump.h"
#include "skin/progress.h"
#include "skin/tab_layout.h"
#include "ui/sequence_label.h"
#include "utils/install_record.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The skinned window that has the focus: the modal box while one is open.
Skin::CSkinFrame* FocusedFrame() {
    const platform::HWND focus = platform::GetFocus();
    if (focus == nullptr) return nullptr;
    return dynamic_cast<Skin::CSkinFrame*>(
        static_cast<Skin::CNativeWindow*>(platform::GetWindowUserData(focus)));
}

void ClickControl(Skin::CSkinWindow& window, const wchar_t* name) {
    Skin::PumpMessages();
    Skin::CControl* control = window.manager().FindControl(name);
    ASSERT_NE(control, nullptr) << "no control " << testing::PrintToString(name);
    const Skin::IntRect& r = control->GetPos();
    const int x = (r.left + r.right) / 2;
    const int y = (r.top + r.bottom) / 2;
    platform::InjectMouseMove(window.GetHWND(), x, y);
    platform::InjectMouseButton(window.GetHWND(), x, y, true);
    platform::InjectMouseButton(window.GetHWND(), x, y, false);
}

// The main window with a test's answers for its message boxes and tip
// windows: each box that opens is answered by the next answer (a skin file
// and the button to press, after an optional step), from inside the box's
// own modal loop. The boxes seen are kept.
class AnsweringMainWnd : public CMainWnd {
public:
    struct Answer {
        std::wstring skinFile;
        const wchar_t* button;
        std::function<void()> before;
    };

    void Expect(Answer answer) { answers_.push_back(std::move(answer)); }
    bool AllAnswered() const { return answers_.empty(); }
    std::vector<std::wstring> boxesSeen;

protected:
    static constexpr std::uintptr_t kAnswerTimer = 9001;

    void OnInitWindow() override {
        CMainWnd::OnInitWindow();
        platform::SetTimer(GetHWND(), kAnswerTimer, 20);
    }

    platform::LRESULT OnCustomMessage(platform::UINT message, platform::WPARAM wParam,
                                      platform::LPARAM lParam, bool& handled) override {
        if (message == platform::WM_TIMER && wParam == kAnswerTimer) {
            AnswerOpenBox();
            handled = true;
            return 0;
        }
        return CMainWnd::OnCustomMessage(message, wParam, lParam, handled);
    }

private:
    void AnswerOpenBox() {
        Skin::CSkinFrame* box = FocusedFrame();
        if (box == nullptr || box == this || box->manager().Root() == nullptr) return;
        // Marked on its root control: the next box may live where this one did.
        Skin::CControl* root = box->manager().Root();
        if (root->GetUserData() == L"answered") return;
        root->SetUserData(L"answered");
        boxesSeen.push_back(box->skinSource().skinFile);
        if (answers_.empty()) {
            const Skin::CControl* text = box->manager().FindControl(L"textLbl");
            ADD_FAILURE() << "unexpected box " << testing::PrintToString(boxesSeen.back())
                          << testing::PrintToString(text ? text->GetText() : L"");
            box->Close(1);
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        EXPECT_TRUE(platform::EqualIgnoringCase(box->skinSource().skinFile, answer.skinFile))
            << testing::PrintToString(box->skinSource().skinFile);
        if (answer.before) answer.before();
        ClickControl(*box, answer.button);
    }

    std::deque<Answer> answers_;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"Brushwell.exe", L"Brushwell_un_asa.exe"}) {
            if (platform::FindProcessByName(name) != 0) {
                GTEST_SKIP() << "a process named Brushwell.exe runs elsewhere on the machine";
            }
        }
        ASSERT_TRUE(platform::InitWindowing(platform::VideoBackend::Headless));
        // The default folder is the console user's; this test's user is the process's.
        unsetenv("SUDO_USER");
        InstallSettings& settings = InstallSettings::Instance();
        settings.IsCheckNet = false;
        settings.IsEnableAppAnalytics = false;
        settings.InsNew = false;
    }

    void TearDown() override {
        if (window && platform::IsWindow(window->GetHWND())) window->Close(1);
        window.reset();
        Skin::PumpMessages();
    }

    void Serve(fault_server::TransferFaults faults = {}, int64_t rate = 0) {
        fault_server::Options options;
        options.file = DEMO_PACKAGE;
        options.rateLimit = rate;
        options.faults = faults;
        server = std::make_unique<fault_server::Server>(options);
        ASSERT_TRUE(server->Start()) << server->Error();
        InstallSettings::Instance().DownloadUrl = test_support::Wide(server->RedirectUrl());
    }

    // `answers` for the boxes the window's start-up opens.
    void Open(std::vector<AnsweringMainWnd::Answer> answers = {}) {
        window = std::make_unique<AnsweringMainWnd>();
        for (auto& answer : answers) window->Expect(std::move(answer));
        ASSERT_NE(window->CreateMainWindow(), nullptr);
        window->ShowWindow(true, true);
        Skin::PumpMessages();
    }

    // Runs the window's messages until `done` holds; false after `limit`.
    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::seconds limit = std::chrono::seconds(60)) {
        const auto until = Clock::now() + limit;
        while (!done()) {
            if (Clock::now() > until) return false;
            Skin::PumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    template <typename T = Skin::CControl>
    T* Find(const wchar_t* name) {
        return dynamic_cast<T*>(window->manager().FindControl(name));
    }
    int Page() { return Find<Skin::CTabLayout>(L"mainTabLt")->GetCurSel(); }
    bool Alive() { return window && platform::IsWindow(window->GetHWND()); }
    bool AnimationRuns() {
        Skin::CControl* animation = Find(L"progressAnLb");
        const bool started = window->manager().SetTimer(animation, FrameSequence::kTimerId, 1000);
        if (started) window->manager().KillTimer(animation, FrameSequence::kTimerId);
        return !started;
    }

    test_support::ScratchHome home;
    std::unique_ptr<fault_server::Server> server;
    std::unique_ptr<AnsweringMainWnd> window;
};

TEST_F(MainWindow, OneClickInstallRunsToTheFinishedPage) {
    // Slow enough that the installing page can be looked at.
    Serve({}, 400000);
    Open();
    const std::wstring folder = Find(L"installDirEdit")->GetText();
    ASSERT_FALSE(folder.empty());
    ClickControl(*window, L"defaultInstallBtn");
    ASSERT_TRUE(PumpUntil([&] { return Page() == 2; }));
    EXPECT_FALSE(Find(L"titleGrpCtn")->IsVisible());

    // Closing is refused while the install runs.
    ASSERT_TRUE(PumpUntil([&] { return Find<Skin::CProgress>(L"installPrg")->GetValue() > 0; }));
    platform::InjectCloseRequest(window->GetHWND());
    window->PostMessage(platform::WM_CLOSE, 1);
    Skin::PumpMessages();
    EXPECT_TRUE(Alive());
    EXPECT_EQ(Find(L"progressLb")->GetText().rfind(L"正在安装中:", 0), 0u);

    ASSERT_TRUE(PumpUntil([&] { return Page() == 3; }));
    EXPECT_EQ(Find<Skin::CProgress>(L"installPrg")->GetValue(), 100);
    std::wstring recorded;
    ASSERT_TRUE(ReadRegistryValue(L"InstallPath", recorded));
    EXPECT_EQ(recorded, folder);
    EXPECT_TRUE(fs::exists(fs::path(platform::WideToMultiByte(folder, platform::kCodePageUtf8)) /
                           "set.ini"));
    EXPECT_FALSE(AnimationRuns());

    // On the finished page the close button closes without asking.
    ClickControl(*window, L"closebtn");
    ASSERT_TRUE(PumpUntil([&] { return !Alive(); }, std::chrono::seconds(5)));
    EXPECT_TRUE(window->boxesSeen.empty());
}

TEST_F(MainWindow, TheCustomPageInstallsIntoItsOwnFolderBelowTheTypedOne) {
    Serve();
    Open();
    ClickControl(*window, L"customeBtn");
    ASSERT_TRUE(PumpUntil([&] { return Page() == 1; }));
    const fs::path typed = home.root() / "My Apps";
    Find(L"installDirEdit")->SetText(test_support::Wide(typed));
    Find<Skin::CCheckBox>(L"createDSCb")->Selected(false, true);
    ClickControl(*window, L"customeInstallBtn");
    ASSERT_TRUE(PumpUntil([&] { return Page() == 3; }));
    std::wstring recorded;
    ASSERT_TRUE(ReadRegistryValue(L"InstallPath", recorded));
    EXPECT_EQ(recorded, test_support::Wide(typed / "Brushwell"));
    EXPECT_TRUE(fs::exists(typed / "Brushwell" / "Brushwell.exe"));
}

TEST_F(MainWindow, AnExistingInstallationIsOfferedAnUpdateFirst) {
    ASSERT_TRUE(WriteRegistryValue(L"InstallPath", test_support::Wide(home.root() / "Old")));
    // Its close button leaves the installer.
    Open({{L"InstalledPathTipWnd.xml", L"closebtn", {}}});
    ASSERT_TRUE(PumpUntil([&] { return !Alive(); }, std::chrono::seconds(10)));
    EXPECT_TRUE(window->AllAnswered());
}

TEST_F(MainWindow, AFailedDownloadOffersARetryThatInstalls) {
    fault_server::TransferFaults missing;
    missing.faultedTransfers = -1;
    missing.status = 404;
    Serve(missing);
    Open();
    window->Expect({L"NetworkTipWnd.xml", L"okBtn", [&] { server->SetFaults({}); }});
    ClickControl(*window, L"defaultInstallBtn");
    ASSERT_TRUE(PumpUntil([&] { return Page() == 3; }, std::chrono::seconds(120)));
    EXPECT_TRUE(window->AllAnswered());
    EXPECT_EQ(window->boxesSeen, (std::vector<std::wstring>{L"NetworkTipWnd.xml"}));
}

TEST_F(MainWindow, WithoutConsentTheInstallButtonOnlyShowsTheTip) {
    Serve();
    Open();
    auto* consent = Find<Skin::CCheckBox>(L"treatyCb");
    consent->Selected(false, true);
    EXPECT_FALSE(Find<Skin::CCheckBox>(L"treatyBtn")->IsSelected());
    EXPECT_FALSE(Find(L"customeBtn")->IsEnabled());
    ClickControl(*window, L"defaultInstallBtn");
    Skin::PumpMessages();
    EXPECT_TRUE(Find(L"tipLbl")->IsVisible());
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(server->Log().empty());
    EXPECT_FALSE(fs::exists(home.data() / "zerra"));

    // The agreement link cannot be toggled on its own.
    Find<Skin::CCheckBox>(L"treatyBtn")->Selected(true, true);
    EXPECT_FALSE(Find<Skin::CCheckBox>(L"treatyBtn")->IsSelected());

    consent->Selected(true, true);
    EXPECT_FALSE(Find(L"tipLbl")->IsVisible());
    EXPECT_TRUE(Find(L"customeBtn")->IsEnabled());
}

TEST_F(MainWindow, EachPageHasItsBackgroundAndTitleBar) {
    Open();
    struct Case {
        int page;
        const wchar_t* background;
        int titleItem;
        bool closeButtons;
        bool backButton;
        bool animation;
    };
    const Case cases[] = {
        {1, L"res\\mainWnd\\bg2.png", 1, true, true, true},
        {0, L"res\\mainWnd\\bg1.png", 1, true, false, true},
        {2, L"res\\mainWnd\\bg3.png", 1, false, false, true},
        {3, L"res\\mainWnd\\bg4.png", 2, true, false, false},
    };
    for (const Case& c : cases) {
        window->ShowPage(static_cast<FlowPage>(c.page));
        Skin::PumpMessages();
        EXPECT_EQ(Find(L"winCtn")->GetBkImage(), c.background) << c.page;
        EXPECT_EQ(Find<Skin::CTabLayout>(L"titleTabLt")->GetCurSel(), c.titleItem) << c.page;
        EXPECT_EQ(Find(L"titleGrpCtn")->IsVisible(), c.closeButtons) << c.page;
        EXPECT_EQ(Find(L"backBtn")->IsVisible(), c.backButton) << c.page;
        EXPECT_EQ(AnimationRuns(), c.animation) << c.page;
    }
}

TEST_F(MainWindow, CloseAsksOnTheWelcomePageAndIsIgnoredWhileInstalling) {
    Open();
    window->ShowPage(FlowPage::Installing);
    platform::InjectCloseRequest(window->GetHWND());
    Skin::PumpMessages();
    EXPECT_TRUE(Alive());

    window->ShowPage(FlowPage::Welcome);
    window->Expect({L"ExitTipWnd.xml", L"cancelBtn", {}});
    ClickControl(*window, L"closebtn");
    ASSERT_TRUE(PumpUntil([&] { return window->AllAnswered(); }, std::chrono::seconds(10)));
    Skin::PumpMessages();
    EXPECT_TRUE(Alive());

    window->Expect({L"ExitTipWnd.xml", L"okBtn", {}});
    ClickControl(*window, L"closebtn");
    ASSERT_TRUE(PumpUntil([&] { return !Alive(); }, std::chrono::seconds(10)));
}

TEST_F(MainWindow, TheFinishedPageTimersCloseTheWindow) {
    Open();
    window->ShowPage(FlowPage::Finished);
    // The default close delay is the longest period there is: it must not fire.
    window->SetFinishTimers(20, 0xFFFFFFFF);
    EXPECT_FALSE(PumpUntil([&] { return !Alive(); }, std::chrono::seconds(1)));
    Open();
    window->SetFinishTimers(0, 50);
    EXPECT_TRUE(PumpUntil([&] { return !Alive(); }, std::chrono::seconds(5)));
}

TEST_F(MainWindow, ProgressTextFromTheSkinOrTheTwoDefaults) {
    Open();
    Skin::CControl* text = Find(L"progressLb");
    struct Case {
        const wchar_t* userData;
        bool longWait;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"", false, L"正在安装中:35%，请稍候..."},
        {L"", true, L"正在安装中:35%，请耐心等待..."},
        {L"%d / 100", false, L"35 / 100"},
        {L"%ls", false, L"正在安装中:35%，请稍候..."},
    };
    for (const Case& c : cases) {
        text->SetUserData(c.userData);
        window->ShowProgress(35, c.longWait);
        EXPECT_EQ(text->GetText(), c.shown) << c.userData;
        EXPECT_EQ(Find<Skin::CProgress>(L"installPrg")->GetValue(), 35);
    }
    window->ResetProgress();
    EXPECT_EQ(text->GetText(), L"正在安装中:0%，请稍候...");
    EXPECT_EQ(Find<Skin::CProgress>(L"installPrg")->GetValue(), 0);
}

// The real installer without -silent=true: in update mode its window
// reinstalls the recorded copy at once and then stays open on the finished page.
TEST_F(MainWindow, TheInstallerWithoutSilentRunsTheWindow) {
    Serve();
    const fs::path bin = home.root() / "bin";
    fs::create_directories(bin);
    fs::copy_file(INSTALLER_PATH, bin / "installer");
    std::ofstream(bin / "ZerraInstallerConfig.ini")
        << "[Install]\nDownloadUrl=" << server->RedirectUrl()
        << "\nIsCheckNet=false\nIsEnableAppAnalytics=false\n"
           "InstCmd=-startupstyle=UserStartup\n";
    const fs::path old = home.home() / "old" / "Brushwell";
    fs::create_directories(old);
    test_support::WriteShellScript(old / "uninst.ep", "echo 'State=Success'\n");
    ASSERT_TRUE(WriteRegistryValue(L"InstallPath", test_support::Wide(old)));

    // Headless, and as root in a process namespace of its own, where no other
    // copy of the product is seen.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::vector<std::string> argv{(bin / "installer").string(), "-insnew=true"};
    if (geteuid() == 0) argv.insert(argv.begin(), {"/usr/bin/unshare", "-p", "-f", "--mount-proc"});
    test_support::BackgroundProcess installer(argv);
    EXPECT_TRUE(PumpUntil([&] { return fs::exists(old / "set.ini"); }));
    EXPECT_TRUE(PumpUntil([&] { return fs::exists(old / "Brushwell.exe"); }));
    // Still running: the window waits on its finished page to be closed.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(kill(installer.pid(), 0), 0);
}

}  // namespace
