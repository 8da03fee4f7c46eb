#include <gtest/gtest.h>

#include "download/downloader.h"
#include "event_recorder.h"
#include "served_package.h"

namespace fs = std::filesystem;

// What both libcurl downloaders do with the checksum segment of the resolved
// URL: a mismatch asks once for a retry and then fails; a missing segment is
// noted and the download counts as good.
TEST(DownloadChecksum, MismatchRetriesOnceAndMissingSegmentIsOnlyNoted) {
    using fault_server::ChecksumSegment;
    const std::vector<int32_t> mismatchTwice = {DL_CODE_START, DL_CODE_MD5_NOTICE, DL_CODE_RETRY,
                                                DL_CODE_START, DL_CODE_MD5_NOTICE, DL_CODE_FAIL};
    const std::vector<int32_t> noted = {DL_CODE_START, DL_CODE_MD5_NOTICE, DL_CODE_SUCCESS};
    const struct {
        int downloadType;
        ChecksumSegment segment;
        std::vector<int32_t> milestones;
        const wchar_t* notice;
        bool packageLeft;
    } cases[] = {
        {1, ChecksumSegment::Wrong, mismatchTwice, L"curl文件md5校验失败", true},
        {1, ChecksumSegment::Upper, mismatchTwice, L"curl文件md5校验失败", true},
        {1, ChecksumSegment::Missing, noted, L"curl获取url-md5失败", true},
        {3, ChecksumSegment::Wrong, mismatchTwice, L"mtcurl文件md5校验失败", false},
        {3, ChecksumSegment::Missing, noted, L"mtcurl获取url-md5失败", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "type " << c.downloadType << " segment " << static_cast<int>(c.segment));
        ServedPackage package(2 * kMiB, [&](fault_server::Options& o) { o.checksum = c.segment; });
        EventRecorder events;
        {
            auto downloader = CreateDownloader(c.downloadType, events.Callback(), package.Url(),
                                               package.target.wstring());
            events.restart = [&downloader] { downloader->Start(); };
            downloader->Start();
            ASSERT_TRUE(events.WaitForEnd());
            EXPECT_EQ(fs::exists(package.target), c.packageLeft);
        }
        EXPECT_EQ(events.Milestones(), c.milestones);
        for (const auto& e : events.Events()) {
            if (e.code == DL_CODE_MD5_NOTICE) {
                EXPECT_EQ(e.text, c.notice);
            }
            if (e.code == DL_CODE_RETRY || e.code == DL_CODE_FAIL) {
                EXPECT_EQ(e.value, 0.0);
            }
        }
    }
}
