#include "download/mt_curl_downloader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "event_recorder.h"
#include "served_package.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> values) {
    std::sort(values.begin(), values.end());
    return values;
}

// Runs a multi-part download to its end, answering one retry request.
void RunToEnd(CMTCurlDownloader& downloader, EventRecorder& events, int retryPauseMs = 20) {
    events.restart = [&downloader] { downloader.Start(); };
    downloader.SetRetryPause(retryPauseMs);
    downloader.Start();
    ASSERT_TRUE(events.WaitForEnd());
}

void RunToEnd(ServedPackage& package, EventRecorder& events) {
    CMTCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
    RunToEnd(downloader, events);
}

// The transfer after `untouched` others gets enough data for one progress
// report, is cut, and its part is then refused until the part's budget is
// spent: the cut costs 1 of the budget of 12 and each refusal 2, so the part
// ends after 8 attempts.
std::vector<fault_server::TransferFaults> ProgressThenFailure(size_t untouched) {
    fault_server::TransferFaults slowThenCut;
    slowThenCut.stallAfterBytes = kMiB;
    slowThenCut.stallSeconds = 1.3;
    slowThenCut.cutAfterBytes = kMiB;
    fault_server::TransferFaults refused;
    refused.status = 500;
    std::vector<fault_server::TransferFaults> schedule(untouched + 8, refused);
    std::fill_n(schedule.begin(), untouched, fault_server::TransferFaults{});
    schedule[untouched] = slowThenCut;
    return schedule;
}

}  // namespace

TEST(CMTCurlDownloader, SplitsPackagesOfTwentyMiBAndMoreIntoTwoRanges) {
    const struct {
        uint64_t size;
        std::vector<std::string> ranges;
    } cases[] = {
        {15 * kMiB, {"bytes=0-15728639"}},
        {25 * kMiB, {"bytes=0-13107199", "bytes=13107200-26214399"}},
        {30000001, {"bytes=0-14999999", "bytes=15000000-30000000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        ServedPackage package(c.size);
        EventRecorder events;
        {
            CMTCurlDownloader downloader(events.Callback(), package.Url(),
                                         package.target.wstring());
            RunToEnd(downloader, events);
        }
        EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS}));
        EXPECT_EQ(Sorted(package.TransferRanges()), c.ranges);
        EXPECT_TRUE(package.TargetMatchesSource());
        EXPECT_FALSE(fs::exists(package.target.string() + "_0"));
        EXPECT_FALSE(fs::exists(package.target.string() + "_1"));
    }
}

// Sizes beyond 32 bits split without overflow (no such transfer runs here).
TEST(CMTCurlDownloader, SplitsPackagesBeyondTwoAndFourGiB) {
    using Range = CMTCurlDownloader::PartRange;
    const struct {
        int64_t length;
        std::vector<Range> parts;
    } cases[] = {
        {256, {{0, 256}}},
        {20971519, {{0, 20971519}}},
        {20971520, {{0, 10485760}, {10485760, 10485760}}},
        {2147483649, {{0, 1073741824}, {1073741824, 1073741825}}},
        {5368709121, {{0, 2684354560}, {2684354560, 2684354561}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMTCurlDownloader::SplitIntoParts(c.length), c.parts) << c.length;
}

TEST(CMTCurlDownloader, ACutPartIsResumedFromItsFirstMissingByte) {
    ServedPackage package(25 * kMiB, [](fault_server::Options& o) {
        o.faults.faultedTransfers = 2;
        o.faults.cutAfterBytes = kMiB;
    });
    EventRecorder events;
    {
        CMTCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        // The retries come after both parts' first requests (100 ms apart).
        RunToEnd(downloader, events, 400);
    }
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS}));
    EXPECT_EQ(Sorted(package.TransferRanges()),
              (std::vector<std::string>{"bytes=0-13107199", "bytes=1048576-13107199",
                                        "bytes=13107200-26214399", "bytes=14155776-26214399"}));
    EXPECT_TRUE(package.TargetMatchesSource());
}

// A part that spends its attempts ends the run with a retry request; the
// retry keeps the part file and asks only for the missing bytes, and progress
// goes on from the value already reported.
TEST(CMTCurlDownloader, TheRetryAfterAFailedPartResumesItsRange) {
    ServedPackage package(15 * kMiB);
    package.server.SetFaultSchedule(ProgressThenFailure(0));
    EventRecorder events;
    RunToEnd(package, events);
    EXPECT_EQ(events.Milestones(),
              (std::vector<int32_t>{DL_CODE_START, DL_CODE_RETRY, DL_CODE_START, DL_CODE_SUCCESS}));
    const auto all = events.Events();
    const auto retry =
        std::find_if(all.begin(), all.end(), [](const auto& e) { return e.code == DL_CODE_RETRY; });
    ASSERT_NE(retry, all.end());
    EXPECT_EQ(retry->value, CURLE_HTTP_RETURNED_ERROR);
    const auto ranges = package.TransferRanges();
    ASSERT_EQ(ranges.size(), 9u);
    EXPECT_EQ(ranges[0], "bytes=0-15728639");
    for (size_t i = 1; i < ranges.size(); ++i) EXPECT_EQ(ranges[i], "bytes=1048576-15728639") << i;

    const auto progress = events.Progress();
    ASSERT_FALSE(progress.empty());
    EXPECT_GT(progress.front(), 0.06);
    for (size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i] - progress[i - 1], 0.01);
    EXPECT_TRUE(package.TargetMatchesSource());
}

// The first range is whole and the second has begun to be joined onto it when
// the second fails: the retry must find each part file holding its own range.
TEST(CMTCurlDownloader, TheRetryAfterAFailedSecondPartKeepsTheWholeFirstPart) {
    ServedPackage package(25 * kMiB);
    package.server.SetFaultSchedule(ProgressThenFailure(1));  // the first range goes through
    EventRecorder events;
    RunToEnd(package, events);
    EXPECT_EQ(events.Milestones(),
              (std::vector<int32_t>{DL_CODE_START, DL_CODE_RETRY, DL_CODE_START, DL_CODE_SUCCESS}));
    const auto ranges = package.TransferRanges();
    ASSERT_EQ(ranges.size(), 10u);
    EXPECT_EQ(ranges[0], "bytes=0-13107199");
    EXPECT_EQ(ranges[1], "bytes=13107200-26214399");
    for (size_t i = 2; i < ranges.size(); ++i) EXPECT_EQ(ranges[i], "bytes=14155776-26214399") << i;
    EXPECT_TRUE(package.TargetMatchesSource());
}

TEST(CMTCurlDownloader, AStalledPartIsRetriedAfterTheLowSpeedTime) {
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) {
        o.faults.faultedTransfers = 1;
        o.faults.stallSeconds = 3;  // from the first byte: libcurl averages the speed over seconds
    });
    EventRecorder events;
    {
        CMTCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.SetLowSpeedLimit(1, 1);
        RunToEnd(downloader, events);
    }
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS}));
    EXPECT_EQ(package.TransferRanges(),
              (std::vector<std::string>{"bytes=0-2097151", "bytes=0-2097151"}));
    EXPECT_TRUE(package.TargetMatchesSource());
}

// The joined parts cannot take the package's name (a folder holds it): the
// download fails with its normal events, once with a retry request.
TEST(CMTCurlDownloader, AJoinThatCannotProduceThePackageFails) {
    ServedPackage package(2 * kMiB);
    fs::create_directories(package.target / "occupied");
    EventRecorder events;
    RunToEnd(package, events);
    EXPECT_EQ(events.Milestones(),
              (std::vector<int32_t>{DL_CODE_START, DL_CODE_RETRY, DL_CODE_START, DL_CODE_FAIL}));
    EXPECT_EQ(events.Events().back().value, CMTCurlDownloader::kPartFileUnusable);
    EXPECT_FALSE(fs::exists(package.target.string() + "_0"));
}

TEST(CMTCurlDownloader, AProbeWithoutUsableLengthFailsWithoutRetry) {
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) { o.allStatus = 404; });
    EventRecorder events;
    RunToEnd(package, events);
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_FAIL}));
    EXPECT_EQ(events.Events().back().value, 0.0);
    EXPECT_TRUE(package.Transfers().empty());
}

TEST(CMTCurlDownloader, DestructionStopsTheRunningParts) {
    ServedPackage package(25 * kMiB, [](fault_server::Options& o) { o.rateLimit = kMiB; });
    EventRecorder events;
    {
        CMTCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.Start();
        while (package.Transfers().size() < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const size_t seen = events.Events().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(events.Events().size(), seen);
    EXPECT_EQ(events.Milestones(), std::vector<int32_t>{DL_CODE_START});
}
