#include "download/curl_downloader.h"

#include <gtest/gtest.h>

#include "event_recorder.h"
#include "served_package.h"
#include "trace_capture.h"

namespace {

size_t Occurrences(const std::string& text, const std::string& word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(CCurlDownloader, FiveCutTransfersAreResumedAndTheDownloadSucceeds) {
    constexpr int64_t kCut = 256 * 1024;
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) {
        o.faults.faultedTransfers = 5;
        o.faults.cutAfterBytes = kCut;
    });
    const size_t mark = TraceCapture::Instance().Mark();
    EventRecorder events;
    {
        CCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.SetRetryPause(20);
        downloader.Start();
        ASSERT_TRUE(events.WaitForEnd());
    }
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS}));
    std::vector<std::string> expectedRanges = {""};
    for (int i = 1; i <= 5; ++i)
        expectedRanges.push_back("bytes=" + std::to_string(i * kCut) + "-");
    EXPECT_EQ(package.TransferRanges(), expectedRanges);
    EXPECT_TRUE(package.TargetMatchesSource());
    EXPECT_EQ(Occurrences(TraceCapture::Instance().Since(mark), "CurlDownLoader Code=18"), 5u);
}

TEST(CCurlDownloader, SixGeneralFailuresEndWithTheSixthCode) {
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) {
        o.faults.faultedTransfers = -1;
        o.faults.status = 500;
    });
    EventRecorder events;
    {
        CCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.SetRetryPause(20);
        downloader.Start();
        ASSERT_TRUE(events.WaitForEnd());
    }
    const auto all = events.Events();
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_FAIL}));
    EXPECT_EQ(all.back().value, CURLE_HTTP_RETURNED_ERROR);
    EXPECT_EQ(all.back().text, L"LibCurl");
    EXPECT_EQ(package.Transfers().size(), 6u);
}

TEST(CCurlDownloader, AnEmptySavePathFailsAtOnce) {
    EventRecorder events;
    CCurlDownloader downloader(events.Callback(), L"http://127.0.0.1:9/software/351", L"");
    downloader.Start();
    ASSERT_TRUE(events.WaitForEnd());
    const auto all = events.Events();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].code, DL_CODE_FAIL);
    EXPECT_EQ(all[1].value, 1.0);
    EXPECT_EQ(all[1].text, L"");
}

// Destruction stops a slow transfer instead of waiting for its end, and no
// event arrives after it.
TEST(CCurlDownloader, DestructionStopsARunningTransfer) {
    ServedPackage package(8 * kMiB, [](fault_server::Options& o) { o.rateLimit = 512 * 1024; });
    EventRecorder events;
    {
        CCurlDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.Start();
        while (events.Progress().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const size_t seen = events.Events().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(events.Events().size(), seen);
    EXPECT_EQ(events.Milestones(), std::vector<int32_t>{DL_CODE_START});
    EXPECT_FALSE(std::filesystem::exists(package.target.string() + ".part"));
}
