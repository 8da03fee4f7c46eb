// The real installer, run silently against the test's download server, sends
// its reports to the loopback collector when it ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fault_server.h"
#include "run_process.h"
#include "scratch_home.h"
#include "setup/silent_install.h"
#include "test_collector.h"
#include "tracker_test_support.h"

namespace {

namespace fs = std::filesystem;
using collector::TestCollector;

// The installer refuses to run while the product runs anywhere on the machine;
// within one ctest run the tests that start it hold a resource lock, but a
// suite run beside this one may not.
constexpr char kProductRunningElsewhere[] =
    "the product is running elsewhere on this machine, so the installer refused to start";

class InstallerReports : public testing::Test {
protected:
    void SetUp() override {
        UseLocale("zh_CN.UTF-8");
        fs::create_directories(bin_);
        fs::copy_file(INSTALLER_PATH, bin_ / "installer");
    }

    void Serve(int allStatus = 0) {
        fault_server::Options options;
        options.file = DEMO_PACKAGE;
        options.allStatus = allStatus;
        server_ = std::make_unique<fault_server::Server>(options);
        ASSERT_TRUE(server_->Start()) << server_->Error();
        std::ofstream(bin_ / "ZerraInstallerConfig.ini")
            << "[Install]\nDownloadUrl=" << server_->RedirectUrl()
            << "\nIsCheckNet=false\nIsEnableAppAnalytics=true\nAnalyticsUrl="
            << collector_.endpoint() << "\n";
    }

    int RunSilently(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> argv{(bin_ / "installer").string(), "-silent=true",
                                      "-installdir=" + (home_.home() / "apps").string()};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return test_support::RunProcess(argv).exitCode;
    }

    test_support::ScratchHome home_;
    fs::path bin_ = home_.root() / "bin";
    TestCollector collector_;
    std::unique_ptr<fault_server::Server> server_;
};

void ExpectInOrder(const std::vector<std::string>& records, const std::vector<std::string>& parts) {
    ASSERT_EQ(records.size(), parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
        EXPECT_NE(records[i].find(parts[i]), std::string::npos) << records[i];
        EXPECT_TRUE(PropertiesOf(records[i]).ends_with(",\"zrc_ab\":\"IN\"}")) << records[i];
        EXPECT_NE(records[i].find("\"zr_app_store\":\"installer\""), std::string::npos);
    }
}

TEST_F(InstallerReports, InstallRunSendsItsReportsInOneRequestAtExit) {
    Serve();
    const int exitCode = RunSilently();
    if (exitCode == kSilentProductRunning) GTEST_SKIP() << kProductRunningElsewhere;
    ASSERT_EQ(exitCode, kSilentInstalled);
    EXPECT_EQ(collector_.requestCount(), 1);
    ExpectInOrder(collector_.deliveredRecords(),
                  {"\"zr_name\":\"安装中\"", "\"zr_task_name\":\"下载器启动\"",
                   "\"zr_task_name\":\"开始下载大包\"", "\"zr_task_name\":\"大包下载完毕\"",
                   "\"zr_task_name\":\"安装成功\""});
    EXPECT_TRUE(fs::exists(home_.data() / "ZRLocal" / "Brushwell.downloader" /
                           "Brushwell.downloader_ZRSConfigure.ini"));
}

TEST_F(InstallerReports, MissingPackageReportsTheProbeStatusAndTheFailure) {
    Serve(404);
    const int exitCode = RunSilently();
    if (exitCode == kSilentProductRunning) GTEST_SKIP() << kProductRunningElsewhere;
    ASSERT_EQ(exitCode, kSilentDownloadFailed);
    const auto records = collector_.deliveredRecords();
    ASSERT_GE(records.size(), 2u);
    bool probe = false;
    bool failure = false;
    for (const std::string& record : records) {
        probe |=
            record.find("\"zr_reason\":\"1.获取文件大小的状态码为=404；\"") != std::string::npos;
        failure |= record.find("\"zr_reason\":\"1.code=") != std::string::npos;
    }
    EXPECT_TRUE(probe);
    EXPECT_TRUE(failure);
}

TEST_F(InstallerReports, OptionSwitchingReportsOffSendsNothing) {
    Serve();
    const int exitCode = RunSilently({"-isenableappanalytics=false"});
    if (exitCode == kSilentProductRunning) GTEST_SKIP() << kProductRunningElsewhere;
    ASSERT_EQ(exitCode, kSilentInstalled);
    EXPECT_EQ(collector_.requestCount(), 0);
    // The tracker was set up before the options were read: its files exist.
    EXPECT_TRUE(fs::exists(home_.data() / "ZRLocal" / "Brushwell.downloader" /
                           "Brushwell.downloader_ZRSLog.txt"));
}

}  // namespace
