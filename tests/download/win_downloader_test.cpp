#include "download/win_downloader.h"

#include <gtest/gtest.h>

#include "download/url_encoding.h"
#include "event_recorder.h"
#include "served_package.h"

TEST(EncodeRequestUrl, PassesPrintableBytesAndEncodesTheRest) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"http://h:80/a/b?x=1&y=%41#f", "http://h:80/a/b?x=1&y=%41#f"},
        {"http://h/my setup.exe", "http://h/my+setup.exe"},
        {"http://h/\xE7\x94\xBB.exe", "http://h/%E7%94%BB.exe"},
        {"\t\x7F~!", "%09%7F~!"},
    };
    for (const auto& c : cases) EXPECT_EQ(EncodeRequestUrl(c.in), c.out) << c.in;
}

TEST(CBindCallback, ReportsProgressOnlyWithAKnownTotalAndAbortsOnRequest) {
    EventRecorder events;
    CWinDownloader::CBindCallback bind;
    bind.SetCallback(events.Callback());

    EXPECT_EQ(bind.OnProgress(10, 0, platform::BINDSTATUS_DOWNLOADINGDATA, L""), platform::kS_OK);
    EXPECT_TRUE(events.Events().empty());
    EXPECT_EQ(bind.OnProgress(50, 200, platform::BINDSTATUS_DOWNLOADINGDATA, L""), platform::kS_OK);
    ASSERT_EQ(events.Events().size(), 1u);
    EXPECT_EQ(events.Events()[0].code, DL_CODE_PROGRESS);
    EXPECT_EQ(events.Events()[0].value, 0.25);

    platform::BindInfo info;
    EXPECT_EQ(bind.GetBindInfo(nullptr, &info), platform::kE_NOTIMPL);
    EXPECT_EQ(info.codePage, 65001u);

    bind.RequestAbort();
    EXPECT_EQ(bind.OnProgress(60, 200, platform::BINDSTATUS_DOWNLOADINGDATA, L""),
              platform::kE_ABORT);
    EXPECT_EQ(events.Events().size(), 1u);
}

TEST(CWinDownloader, DownloadsThroughTheUrlDownloadService) {
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) { o.rateLimit = 4 * kMiB; });
    EventRecorder events;
    {
        CWinDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.Start();
        ASSERT_TRUE(events.WaitForEnd());
    }
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS}));
    EXPECT_EQ(events.Events().back().text, L"URLDownloadToFile");
    const auto progress = events.Progress();
    ASSERT_FALSE(progress.empty());
    for (size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);
    EXPECT_LE(progress.back(), 1.0);
    EXPECT_TRUE(package.TargetMatchesSource());
}

TEST(CWinDownloader, ThreeFailedAttemptsEndWithTheServiceResult) {
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) {
        o.faults.faultedTransfers = -1;
        o.faults.status = 404;
    });
    EventRecorder events;
    {
        CWinDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.SetRetryPause(20);
        downloader.Start();
        ASSERT_TRUE(events.WaitForEnd());
    }
    EXPECT_EQ(events.Milestones(), (std::vector<int32_t>{DL_CODE_START, DL_CODE_FAIL}));
    EXPECT_EQ(events.Events().back().value, platform::kINET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(events.Events().back().text, L"URLDownloadToFile");
    EXPECT_EQ(package.Transfers().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(package.target));
}

TEST(CWinDownloader, DestructionAbortsARunningDownload) {
    ServedPackage package(8 * kMiB, [](fault_server::Options& o) { o.rateLimit = 256 * 1024; });
    EventRecorder events;
    {
        CWinDownloader downloader(events.Callback(), package.Url(), package.target.wstring());
        downloader.Start();
        while (package.Transfers().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(events.Milestones(), std::vector<int32_t>{DL_CODE_START});
    EXPECT_FALSE(std::filesystem::exists(package.target));
}
