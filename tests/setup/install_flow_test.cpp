#include "setup/install_flow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "app/install_settings.h"
#include "scratch_home.h"
#include "script_file.h"
#include "setup/install_progress.h"
#include "utils/install_record.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using test_support::Wide;

TEST(InstallProgress, OneBarForTheDownloadAndThePackage) {
    EXPECT_EQ(InstallProgress::DownloadPercent(0.5, 0.7), 35);
    EXPECT_EQ(InstallProgress::DownloadPercent(0.99, 0.7), 69);
    EXPECT_EQ(InstallProgress::DownloadPercent(1.0, 0.7), 70);
    // Each package event moves the shown fraction on by 0.15 up to 0.95;
    // 0.30 gives 78.99999999999999 and so 78.
    double fraction = 0.0;
    std::vector<int> shown;
    for (int i = 0; i < 8; ++i) {
        fraction = InstallProgress::NextInstallFraction(fraction, 0.0);
        shown.push_back(InstallProgress::InstallPercent(fraction, 0.7));
    }
    EXPECT_EQ(shown, (std::vector<int>{74, 78, 83, 88, 92, 97, 98, 98}));
    EXPECT_DOUBLE_EQ(InstallProgress::NextInstallFraction(0.95, 0.99), 0.99);
    // A package that reports beyond the whole keeps the bar at its end.
    EXPECT_EQ(InstallProgress::InstallPercent(InstallProgress::NextInstallFraction(0.0, 7.0), 0.7),
              100);
    EXPECT_EQ(InstallProgress::DownloadPercent(std::nan(""), 0.7), 0);
}

// Writes down what the flow shows and asks; answers the tips as configured.
class RecordingPresentation : public InstallPresentation {
public:
    void PostInstallEvent(InstallEvent event) override { posted.push_back(event.code); }
    void PostNetworkCheck(int32_t) override {}
    void PostInstall(bool proceed) override { installPosted = proceed; }
    void ShowMessage(MessageBoxSkin, const std::wstring& text,
                     const std::wstring& caption) override {
        messages.push_back(caption + L"|" + text);
    }
    void ShowLowSpaceMessage(double, double) override { messages.push_back(L"low space"); }
    ExistingInstallChoice AskAboutExistingInstall() override { return existingChoice; }
    DownloadFailureChoice AskAfterDownloadFailure() override { return failureChoice; }
    FlowPage CurrentPage() const override { return page; }
    void ShowPage(FlowPage newPage) override { page = newPage; }
    void EnableInstallButton(bool enabled) override { buttonEnabled = enabled; }
    CustomChoice CurrentCustomChoice() const override { return {}; }
    std::wstring LanguageCode() const override { return {}; }
    void ShowProgress(int value, bool) override { percent = value; }
    void ResetProgress() override { percent = 0, resets++; }
    void ShowInstallComplete() override { percent = 100; }
    void SetFinishTimers(uint32_t front, uint32_t close) override {
        bringToFront = front, autoClose = close;
    }
    void SettleBeforeLaunch() override {}
    void InstallEnded(InstallOutcome result) override { outcomes.push_back(result); }
    void Close() override { closed = true; }

    std::vector<int32_t> posted;
    bool installPosted = false;
    std::vector<std::wstring> messages;
    ExistingInstallChoice existingChoice = ExistingInstallChoice::InstallNewest;
    DownloadFailureChoice failureChoice = DownloadFailureChoice::Later;
    FlowPage page = FlowPage::Welcome;
    bool buttonEnabled = true;
    int percent = 0;
    int resets = 0;
    uint32_t bringToFront = 0, autoClose = 0;
    std::vector<InstallOutcome> outcomes;
    bool closed = false;
};

class CountingReports : public InstallReports {
public:
    void ReportTask(const std::wstring& taskName, float, const std::wstring& reason) override {
        tasks.push_back(taskName + (reason.empty() ? L"" : L"|" + reason));
    }
    void ReportPage() override { ++pages; }

    std::vector<std::wstring> tasks;
    int pages = 0;
};

class Flow : public ::testing::Test {
protected:
    void TearDown() override { InstallSettings::Instance().InsNew = false; }

    void Feed(int32_t code, double value = 0.0, const std::wstring& text = {}) {
        flow.OnInstallEvent({code, value, text});
    }

    test_support::ScratchHome home;
    RecordingPresentation presentation;
    CountingReports reports;
    InstallFlow flow{presentation, reports};
};

TEST_F(Flow, AFailedInstallResetsTheBarOnlyFromSeventyOn) {
    flow.Initialise();
    for (const auto& [download, resets] : {std::pair{0.99, 0}, std::pair{1.0, 1}}) {
        presentation.resets = 0;
        Feed(1002, download);
        Feed(2004, 1000.0, L"");
        EXPECT_EQ(presentation.resets, resets) << download;
        EXPECT_EQ(presentation.messages.back(), L"温馨提示|安装失败");
        EXPECT_EQ(presentation.page, FlowPage::Welcome);
        EXPECT_EQ(presentation.outcomes.back(), InstallOutcome::InstallFailed);
    }
    Feed(2004, 1000.0, L"disk full");
    EXPECT_EQ(presentation.messages.back(), L"温馨提示|disk full");
    EXPECT_EQ(reports.tasks.back(), L"安装失败原因|:1.code=1000；2.msg=disk full");
    Feed(3009, 0.0, L"请重启");
    EXPECT_EQ(presentation.messages.back(), L"消息|请重启");
}

TEST_F(Flow, SuccessWritesTheRecordsAndStartsTheProductOnlyForAutoStartup) {
    flow.Initialise();
    const fs::path folder = home.home() / "Brushwell";
    const fs::path started = home.tmp() / "started";
    fs::create_directories(folder);
    test_support::WriteShellScript(folder / "Brushwell.exe", "touch '" + started.string() + "'\n");
    test_support::WriteShellScript(folder / "uninst.ep", "exit 0\n");
    Feed(3000, 0.0, Wide(folder));
    Feed(3001, 0.0, Wide(folder / "Brushwell.exe"));
    Feed(3005, 2.0);  // UserStartup: only "立即体验" starts it
    Feed(3008, 0.0);
    Feed(2003);
    EXPECT_EQ(presentation.page, FlowPage::Finished);
    EXPECT_EQ(presentation.outcomes, (std::vector<InstallOutcome>{InstallOutcome::Installed}));
    EXPECT_EQ(presentation.bringToFront, 3000u);
    EXPECT_EQ(presentation.autoClose, 0u);
    std::wstring recorded;
    EXPECT_TRUE(ReadRegistryValue(L"InstallPath", recorded));
    EXPECT_EQ(recorded, Wide(folder));
    EXPECT_TRUE(ReadRegistryValue(L"UnInstallEp", recorded));
    EXPECT_TRUE(fs::exists(folder / "set.ini"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(fs::exists(started));

    Feed(3005, 1.0);  // AutoStartup
    Feed(2003);
    bool launched = false;
    for (int i = 0; i < 100 && !launched; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        launched = fs::exists(started);
    }
    EXPECT_TRUE(launched);
}

TEST_F(Flow, FailedRemovalAndDownloadEndTheAttempt) {
    flow.Initialise();
    Feed(5005, 0.0, L"in use");
    EXPECT_EQ(presentation.messages.back(),
              L"温馨提示|安装程序检测到Brushwell\r\n正在运行，请退出程序后再安装");
    EXPECT_FALSE(presentation.closed);  // no earlier copy: the window stays
    Feed(1004, 28.0, L"LibCurl");
    EXPECT_EQ(presentation.outcomes, (std::vector<InstallOutcome>{InstallOutcome::RemovalFailed,
                                                                  InstallOutcome::DownloadFailed}));
    ASSERT_FALSE(reports.tasks.empty());
    EXPECT_TRUE(
        reports.tasks.back().starts_with(L"下载失败原因|1.code=28；2.msg=LibCurl；3.缓存磁盘容量="))
        << Wide(reports.tasks.back());
}

TEST_F(Flow, AFolderThatCannotBeMadeIsRefused) {
    // Update mode leaves out the look for a running product, which would see
    // the whole machine.
    InstallSettings::Instance().InsNew = true;
    flow.Initialise();
    const std::wstring tooLong = Wide(home.home()) + L"/" + std::wstring(300, L'x');
    EXPECT_FALSE(flow.StartInstall(tooLong, true, true));
    EXPECT_EQ(presentation.messages.back(), L"温馨提示|无效路径");
    EXPECT_EQ(presentation.outcomes.back(), InstallOutcome::InvalidPath);
    EXPECT_TRUE(presentation.buttonEnabled);
    EXPECT_FALSE(presentation.installPosted);

    EXPECT_TRUE(flow.StartInstall(Wide(home.home() / "ok" / "Brushwell"), true, true));
    EXPECT_TRUE(presentation.installPosted);
}

}  // namespace
