// The installer's reports against the real tracker and the loopback collector.
// The reports module is process-wide; ctest runs every case in its own process.
#include "app/analytics_reports.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "app/install_settings.h"
#include "platform/display.h"
#include "platform/os_version.h"
#include "platform/text.h"
#include "record_text.h"
#include "scratch_home.h"
#include "test_collector.h"
#include "tracker_test_support.h"

namespace {

using collector::TestCollector;

const ReportExtras kAb{{L"AB", L"IN"}};

class Reports : public testing::Test {
protected:
    void SetUp() override {
        UseLocale("zh_CN.UTF-8");
        settings_.IsEnableAppAnalytics = true;
        settings_.AnalyticsUrl = platform::MultiByteToWide(collector_.endpoint(), 0);
    }
    void TearDown() override { ReleaseAnalytics(); }

    std::filesystem::path DataDirectory() const {
        return home_.data() / "ZRLocal" / "Brushwell.downloader";
    }
    std::vector<std::string> Delivered() const { return collector_.deliveredRecords(); }

    test_support::ScratchHome home_;
    TestCollector collector_;
    InstallSettings& settings_ = InstallSettings::Instance();
};

std::string Utf8(const std::wstring& text) { return platform::WideToMultiByte(text, 0); }

TEST_F(Reports, TaskRecordIsSentAsDocumented) {
    SetUpAnalytics();
    ReportTask(L"开始下载大包", 0, L"", kAb);
    ReleaseAnalytics();
    const auto records = Delivered();
    ASSERT_EQ(records.size(), 1u);
    const platform::OsVersionInfo os = platform::QueryOsVersion();
    const std::string height =
        std::to_string(platform::GetSystemMetrics(platform::SystemMetric::ScreenHeight));
    const std::string width =
        std::to_string(platform::GetSystemMetrics(platform::SystemMetric::ScreenWidth));
    const std::string distinctId =
        records[0].substr(records[0].find("\"distinct_id\":") + 14,
                          records[0].find(",\"event\"") - records[0].find("\"distinct_id\":") - 14);
    const std::string expected =
        "{\"_track_id\":T,\"distinct_id\":" + distinctId +
        ",\"event\":\"ZrEventTask\",\"lib\":{\"$lib\":\"cpp\",\"$lib_method\":\"code\","
        "\"$lib_version\":\"0.9\"},\"properties\":{\"$app_id\":\"Brushwell.downloader\","
        "\"$app_version\":\"1.7.9\",\"$is_first_time\":true,\"$lib\":\"cpp\",\"$lib_version\":"
        "\"0.9\",\"$os\":\"Linux\",\"$os_version\":\"" +
        Utf8(os.versionName) + "\",\"$screen_height\":" + height + ",\"$screen_width\":" + width +
        ",\"zr_app_id\":\"Brushwell.downloader\",\"zr_app_platform\":\"Linux\",\"zr_app_store\":"
        "\"" +
        Utf8(settings_.ExeFileName) +
        "\",\"zr_dlapp_id\":\"Brushwell\",\"zr_edition\":\"china\",\"zr_l10n_country\":\"CN\","
        "\"zr_l10n_language\":\"zh\",\"zr_l10n_locale\":\"zh_CN\",\"zr_sdk\":\"WindowsCPP\","
        "\"zr_sdk_version\":\"3.3.8\",\"zr_task_elapsed\":0,\"zr_task_name\":\"开始下载大包\","
        "\"zr_task_result\":\"Success\",\"zr_track_type\":\"Client\",\"zrc_ab\":\"IN\"},"
        "\"time\":M,\"type\":\"track\"}";
    EXPECT_EQ(WithPlaceholders(records[0]), expected);
    EXPECT_TRUE(std::regex_match(distinctId, std::regex("\"[0-9A-F-]{36}\""))) << distinctId;
}

TEST_F(Reports, OneClickRunSendsEveryReportInOrderInOneRequest) {
    SetUpAnalytics();
    ReportClick(kAb, L"立即安装");
    ReportPage(kAb);
    ReportTask(L"下载器启动", 0, L"", kAb);
    ReportTask(L"开始下载大包", 0, L"", kAb);
    ReportTask(L"大包下载完毕", 12.5f, L"", kAb);
    ReportTask(L"安装成功", 0, L"", kAb);
    ReportTask(L"下载失败原因", 0, L"1.code=7；2.msg=x", kAb);
    ReportClick(kAb, L"立即体验");
    ReleaseAnalytics();
    ASSERT_EQ(collector_.requestCount(), 1);
    const auto records = Delivered();
    const char* names[] = {"\"zr_click_type\":\"Button\"",
                           "\"zr_name\":\"安装中\"",
                           "\"zr_task_name\":\"下载器启动\"",
                           "\"zr_task_name\":\"开始下载大包\"",
                           "\"zr_task_elapsed\":12.5,\"zr_task_name\":\"大包下载完毕\"",
                           "\"zr_task_name\":\"安装成功\"",
                           "\"zr_reason\":\"1.code=7；2.msg=x\"",
                           "\"zr_name\":\"立即体验\""};
    ASSERT_EQ(records.size(), std::size(names));
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_NE(records[i].find(names[i]), std::string::npos) << records[i];
        EXPECT_TRUE(PropertiesOf(records[i]).ends_with(",\"zrc_ab\":\"IN\"}")) << records[i];
        if (records[i].find("ZrEventTask") != std::string::npos) {
            EXPECT_NE(records[i].find("\"zr_task_result\":\"Success\""), std::string::npos);
        }
    }
}

TEST_F(Reports, ReportBeforeTheTrackerExistsIsSentOnceItDoes) {
    ReportTask(L"libcurl初始化失败", 0, L"", kAb);
    SetUpAnalytics();
    ReleaseAnalytics();
    const auto records = Delivered();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].find("\"zr_task_name\":\"libcurl初始化失败\""), std::string::npos);
    // After the release nothing waits for a tracker any more.
    ReportCrash();
    ReportTask(L"崩溃退出", 0, L"", kAb);
    EXPECT_EQ(collector_.requestCount(), 1);
}

TEST_F(Reports, SwitchedOffInTheFileCreatesNothing) {
    settings_.IsEnableAppAnalytics = false;
    ReportTask(L"libcurl初始化失败", 0, L"", kAb);
    SetUpAnalytics();
    ReportClick(kAb, L"立即安装");
    ReportCrash();
    settings_.IsEnableAppAnalytics = true;  // what the option could say later
    ReportPage(kAb);
    ReleaseAnalytics();
    EXPECT_EQ(collector_.requestCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(home_.data() / "ZRLocal"));
}

TEST_F(Reports, SwitchedOffByTheOptionKeepsTheTrackerButQueuesNothing) {
    SetUpAnalytics();
    settings_.IsEnableAppAnalytics = false;
    ReportClick(kAb, L"立即安装");
    ReportTask(L"安装成功", 0, L"", kAb);
    EXPECT_TRUE(QueuedRecords().empty());
    const auto config = DataDirectory() / "Brushwell.downloader_ZRSConfigure.ini";
    EXPECT_TRUE(std::filesystem::exists(DataDirectory() / "Brushwell.downloader_ZRSLog.txt"));
    std::ifstream in(config);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("[UninstallInfo]"), std::string::npos) << text;
}

TEST_F(Reports, MalformedAbValueDropsTheValueNotTheReport) {
    SetUpAnalytics();
    ReportTask(L"t1", 0, L"", {{L"AB", L"ABCD"}});
    ReportClick({{L"AB", L"in"}}, L"b");
    ReportPage({{L"AB", L""}});
    ReportTask(L"t2", 0, L"", {});
    const auto records = QueuedRecords();
    ASSERT_EQ(records.size(), 4u);
    for (const std::string& record : records) EXPECT_EQ(record.find("zrc_ab"), std::string::npos);
}

TEST_F(Reports, CrashQueuesBothRecordsAndStartsAFlushPass) {
    SetUpAnalytics();
    ReportClick(kAb, L"立即安装");
    ReportTask(L"崩溃退出", 0, L"", kAb);
    ReportCrash();
    // The pass runs detached; the process is not ending here, so it completes.
    EXPECT_TRUE(collector_.WaitForDeliveredRecords(3, std::chrono::seconds(5)));
    const auto records = Delivered();
    EXPECT_NE(records.back().find("\"app_crashed_reason\":\"崩溃\""), std::string::npos);
}

}  // namespace
