#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/profile.h"
#include "scratch_home.h"
#include "sdk/send_status.h"
#include "source/src/analytics_tracker.h"
#include "source/src/tracker_enums.h"
#include "test_collector.h"
#include "tracker_test_support.h"

namespace {

using namespace std::chrono_literals;
using namespace zerra::analytics;
using collector::TestCollector;

class Tracker : public testing::Test {
protected:
    void SetUp() override { UseLocale("zh_CN.UTF-8"); }

    std::shared_ptr<AnalyticsTracker> Create(const std::string& endpoint) {
        TrackerOptions options;
        options.appName = "App.test";
        options.appVersion = "2.0";
        options.appStore = "installer";
        options.endpointUrl = endpoint;
        options.requestTimeoutSeconds = 1;
        return createTracker(options);
    }
    std::filesystem::path DataDirectory() const { return home_.data() / "ZRLocal" / "App.test"; }

    test_support::ScratchHome home_;
    TestCollector collector_;
};

std::string TrackTask(AnalyticsTracker& tracker, zrEventTask task) {
    ZrContextProperties context;
    testing::internal::CaptureStdout();
    tracker.trackTask(task, context);
    return testing::internal::GetCapturedStdout();
}

TEST_F(Tracker, CatalogueRulesDecideWhatATaskClickAndCrashCarry) {
    auto tracker = Create(collector_.endpoint());
    EXPECT_EQ(TrackTask(*tracker, {}), "Failed to trackTask\n");
    EXPECT_EQ(TrackTask(*tracker, {.name = "t1"}), "");
    EXPECT_EQ(TrackTask(*tracker, {.name = "t2",
                                   .reason = "why",
                                   .elapsed = std::make_shared<float>(1.5f),
                                   .result = std::make_shared<ZrResult>(ZrResult::Unknown)}),
              "");
    EXPECT_EQ(TrackTask(*tracker, {.aname = "a",
                                   .name = "t3",
                                   .result = std::make_shared<ZrResult>(ZrResult::Fail)}),
              "");

    ZrContextProperties context;
    zrEventClick badClick{.name = "b", .clickType = static_cast<ClickType>(7)};
    testing::internal::CaptureStdout();
    tracker->trackClick(badClick, context);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to trackClick\n");
    zrEventClick click{.name = "b", .tabIndex = std::make_shared<int>(2)};
    tracker->trackClick(click, context);
    tracker->trackCrash("");  // flushing: its pass may already send the others

    tracker.reset();
    const std::vector<std::string> records = collector_.deliveredRecords();
    ASSERT_EQ(records.size(), 5u);
    const std::string presetTail = ",\"zr_sdk\":\"WindowsCPP\",\"zr_sdk_version\":\"3.3.8\"";
    EXPECT_NE(PropertiesOf(records[0]).find("\"$is_first_time\":true"), std::string::npos);
    EXPECT_TRUE(
        PropertiesOf(records[0])
            .ends_with(presetTail + ",\"zr_task_name\":\"t1\",\"zr_track_type\":\"Client\"}"));
    EXPECT_NE(PropertiesOf(records[1]).find("\"zr_reason\":\"why\""), std::string::npos);
    EXPECT_TRUE(
        PropertiesOf(records[1])
            .ends_with(
                "\"zr_task_elapsed\":1.5,\"zr_task_name\":\"t2\",\"zr_track_type\":\"Client\"}"));
    EXPECT_EQ(records[1].find("zr_task_result"), std::string::npos);
    EXPECT_NE(PropertiesOf(records[2]).find("\"zr_aname\":\"a\""), std::string::npos);
    EXPECT_NE(PropertiesOf(records[2]).find("\"zr_task_result\":\"Fail\""), std::string::npos);
    EXPECT_NE(PropertiesOf(records[3]).find("\"zr_click_type\":\"Others\""), std::string::npos);
    EXPECT_NE(PropertiesOf(records[3]).find("\"zr_tab_index\":2"), std::string::npos);
    EXPECT_NE(records[4].find("\"event\":\"AppCrashed\""), std::string::npos);
    EXPECT_EQ(PropertiesOf(records[4]).find("app_crashed_reason"), std::string::npos);
    EXPECT_EQ(PropertiesOf(records[4]).find("$is_first_time"), std::string::npos);
}

TEST_F(Tracker, ContextValueGoesToItsKindOnly) {
    auto tracker = Create(collector_.endpoint());
    ZrContextProperties context;
    context.setProperty("zrc_ab", "IN", {Task});
    zrEventTask task{.name = "t"};
    zrEventClick click{.name = "c"};
    tracker->trackTask(task, context);
    tracker->trackClick(click, context);
    const auto records = QueuedRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(PropertiesOf(records[0]).ends_with(",\"zrc_ab\":\"IN\"}"));
    EXPECT_EQ(records[1].find("zrc_ab"), std::string::npos);
}

TEST_F(Tracker, SetLocaleChangesLaterRecords) {
    auto tracker = Create(collector_.endpoint());
    ZrContextProperties context;
    zrEventView view{.name = "v"};
    tracker->trackView(view, context);
    tracker->setLocale("en_US");
    tracker->trackView(view, context);
    tracker->setLocale("english");
    tracker->trackView(view, context);
    const auto records = QueuedRecords();
    ASSERT_EQ(records.size(), 3u);
    const std::string chinese =
        "\"zr_l10n_country\":\"CN\",\"zr_l10n_language\":\"zh\",\"zr_l10n_locale\":\"zh_CN\"";
    EXPECT_NE(records[0].find(chinese), std::string::npos);
    EXPECT_NE(
        records[1].find(
            "\"zr_l10n_country\":\"US\",\"zr_l10n_language\":\"en\",\"zr_l10n_locale\":\"en_US\""),
        std::string::npos);
    EXPECT_NE(records[2].find(chinese), std::string::npos);
}

TEST_F(Tracker, StartWritesIdentityAndLogFilesAndShutdownSendsTheQueue) {
    auto tracker = Create(collector_.endpoint());
    const std::string config = (DataDirectory() / "App.test_ZRSConfigure.ini").string();
    const auto read = [&](const wchar_t* section, const wchar_t* key) {
        return platform::GetPrivateProfileString(section, key, L"", 128,
                                                 std::wstring(config.begin(), config.end()));
    };
    EXPECT_TRUE(std::filesystem::is_regular_file(DataDirectory() / "App.test_ZRSLog.txt"));
    EXPECT_EQ(read(L"UninstallInfo", L"AppName"), L"App.test");
    const std::string endpoint = collector_.endpoint();
    EXPECT_EQ(read(L"Base", L"URL"), std::wstring(endpoint.begin(), endpoint.end()));
    const std::string primary = tracker->primaryDistinctId();
    EXPECT_EQ(read(L"Base", L"PrimaryDistinctId"), std::wstring(primary.begin(), primary.end()));

    ZrContextProperties context;
    zrEventView view{.name = "v"};
    tracker->trackView(view, context);
    EXPECT_EQ(collector_.requestCount(), 0);  // no flushing operation yet
    tracker.reset();
    const auto delivered = collector_.deliveredRecords();
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_NE(delivered[0].find("\"distinct_id\":\"" + primary + "\""), std::string::npos);
}

TEST_F(Tracker, LoginSwitchesTheIdentityAndKeepsIt) {
    auto tracker = Create(collector_.endpoint());
    const std::string device = tracker->primaryDistinctId();
    ZrContextProperties context;
    zrEventLogin login{.loginId = "user-9", .type = userType::email, .vipLevel = 2};
    tracker->trackLogin(login, true, "", context);
    zrEventView view{.name = "v"};
    tracker->trackView(view, context);
    EXPECT_EQ(tracker->primaryDistinctId(), device);
    tracker.reset();  // the login's flushing pass may have sent some already
    const auto records = collector_.deliveredRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_NE(records[0].find("\"distinct_id\":\"" + device + "\",\"event\":\"ZrEventLogin\""),
              std::string::npos);
    EXPECT_NE(records[0].find("\"zr_login_id\":\"user-9\""), std::string::npos);
    EXPECT_NE(records[0].find("\"zr_result\":\"Success\",\"zr_sdk\""), std::string::npos);
    EXPECT_NE(records[0].find("\"zr_type\":\"email\""), std::string::npos);
    EXPECT_NE(records[1].find("\"event\":\"$SignUp\""), std::string::npos);
    EXPECT_NE(records[1].find("\"original_id\":\"" + device + "\""), std::string::npos);
    EXPECT_NE(records[2].find("\"distinct_id\":\"user-9\""), std::string::npos);
    EXPECT_NE(records[2].find("\"zr_user_id\":\"user-9\""), std::string::npos);

    // The next run starts logged in with the same endpoint.
    auto next = Create(collector_.endpoint());
    next->trackView(view, context);
    next.reset();
    const std::string later = collector_.deliveredRecords().back();
    EXPECT_NE(later.find("\"distinct_id\":\"user-9\""), std::string::npos);
    EXPECT_NE(later.find("\"$is_login_id\":true"), std::string::npos);
}

TEST_F(Tracker, ActivityQueuesTheEventAndItsProfileRecords) {
    auto tracker = Create(collector_.endpoint());
    ZrContextProperties context;
    testing::internal::CaptureStdout();
    tracker->trackActivity(context);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    // A flushing operation: its detached pass sends the event and the ten profile records.
    EXPECT_TRUE(collector_.WaitForDeliveredRecords(11, 5s));
    const auto delivered = collector_.deliveredRecords();
    ASSERT_EQ(delivered.size(), 11u);
    EXPECT_NE(delivered[0].find("\"$ios_install_source\":\"android_id=123##imei=1234##mac=123\""),
              std::string::npos);
    EXPECT_NE(delivered[0].find("\"$user_agent\":\"Mozilla/5.0(Linux "), std::string::npos);
    EXPECT_NE(delivered[10].find("\"type\":\"profile_set_once\""), std::string::npos);
}

TEST_F(Tracker, FailedInitialisationQueuesNothing) {
    TrackerOptions options;
    options.appName = "App.test";
    options.appVersion = "2.0";  // no appStore
    auto tracker = createTracker(options);
    ZrContextProperties context;
    zrEventTask task{.name = "t"};
    testing::internal::CaptureStdout();
    tracker->trackTask(task, context);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // no logger, nothing said
    EXPECT_EQ(analytics_sdk::Sdk::Instance(), nullptr);
    EXPECT_EQ(tracker->primaryDistinctId(), "");
    EXPECT_EQ(tracker->logger(), nullptr);
}

TEST_F(Tracker, CollectorDownKeepsEveryRecordAndTheNextRunDeliversThemOnce) {
    collector_.set_mode(TestCollector::Mode::Fail);
    {
        auto tracker = Create(collector_.endpoint());
        ZrContextProperties context;
        zrEventClick click{.name = "c"};
        zrEventView view{.name = "v"};
        zrEventTask task{.name = "t"};
        testing::internal::CaptureStderr();
        tracker->trackClick(click, context);
        tracker->trackView(view, context);
        tracker->trackTask(task, context);
        tracker.reset();  // three failed attempts, then the queue is staged
        testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(collector_.requestCount(), 3);
    EXPECT_TRUE(collector_.deliveredRecords().empty());

    collector_.set_mode(TestCollector::Mode::Accept);
    for (int run = 0; run < 2; ++run) {
        auto tracker = Create(collector_.endpoint());
        ZrContextProperties context;
        zrEventClick click{.name = "run" + std::to_string(run)};
        tracker->trackClick(click, context);
    }
    const auto delivered = collector_.deliveredRecords();
    ASSERT_EQ(delivered.size(), 5u);
    const char* names[] = {"\"zr_name\":\"c\"", "\"zr_name\":\"v\"", "\"zr_task_name\":\"t\"",
                           "\"zr_name\":\"run0\"", "\"zr_name\":\"run1\""};
    for (size_t i = 0; i < delivered.size(); ++i) {
        EXPECT_NE(delivered[i].find(names[i]), std::string::npos) << delivered[i];
    }
}

TEST_F(Tracker, DataFolderThatCannotBeMadeStillLetsRecordsLeave) {
    // The data home is a file: no folder can be made below it, not even by root.
    const std::filesystem::path blocker = home_.root() / "not-a-folder";
    std::ofstream(blocker) << "x";
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    auto tracker = Create(collector_.endpoint());
    EXPECT_EQ(tracker->primaryDistinctId().size(), 36u);
    ZrContextProperties context;
    zrEventClick click{.name = "c"};
    tracker->trackClick(click, context);
    tracker.reset();
    EXPECT_EQ(collector_.deliveredRecords().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_regular_file(blocker));
}

TEST_F(Tracker, SuccessfulSendBringsPassesOntoTheCallingThread) {
    auto tracker = Create(collector_.endpoint());
    ZrContextProperties context;
    zrEventClick click{.name = "c"};
    tracker->trackClick(click, context);
    tracker->trackCrash("boom");  // a flushing pass; the first runs detached
    // The detached pass records the answer just after the collector stored the batch.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!analytics_sdk::lastSendSucceeded() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(analytics_sdk::lastSendSucceeded());
    ASSERT_EQ(collector_.deliveredRecords().size(), 2u);
    // Now the pass runs inline: the record has left when trackCrash returns.
    tracker->trackClick(click, context);
    tracker->trackCrash("again");
    EXPECT_EQ(collector_.deliveredRecords().size(), 4u);
}

TEST_F(Tracker, ShutdownWaitsForDetachedPassesWhileReportsComeFromManyThreads) {
    auto tracker = Create(collector_.endpoint());
    constexpr int kThreads = 4;
    constexpr int kReportsPerThread = 25;
    std::vector<std::thread> reporters;
    for (int t = 0; t < kThreads; ++t) {
        reporters.emplace_back([&tracker, t] {
            for (int i = 0; i < kReportsPerThread; ++i) {
                ZrContextProperties context;
                zrEventClick click{.name = "c" + std::to_string(t) + "_" + std::to_string(i)};
                tracker->trackClick(click, context);
                if (i % 10 == 0) tracker->trackCrash("r");
            }
        });
    }
    for (std::thread& reporter : reporters) reporter.join();
    tracker.reset();  // passes may still be running or waiting
    const size_t expected = kThreads * (kReportsPerThread + 3);
    EXPECT_EQ(collector_.deliveredRecords().size(), expected);
    std::ifstream staged(DataDirectory() / "App.test_ZRSStaging.txt");
    EXPECT_EQ(staged.peek(), std::ifstream::traits_type::eof());
}

}  // namespace
