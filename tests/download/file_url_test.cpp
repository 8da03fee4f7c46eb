#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "download/curl_client.h"
#include "download/failure_report.h"
#include "package_file.h"
#include "scratch_home.h"

namespace fs = std::filesystem;

// A local file has no HTTP status: both length probes report, the second
// probe's length is used, and the copy goes through the staging file.
TEST(CurlClientFileUrl, CopiesALocalFileThroughTheStagingFile) {
    test_support::ScratchHome home;
    const fs::path source = home.tmp() / "source.bin";
    const fs::path target = home.tmp() / "copy.bin";
    WritePackageFile(source, 5 * 1048576);

    std::atomic<int> reports = 0;
    SetDownloadFailureReporter([&](const DownloadFailureReport& report) {
        EXPECT_EQ(report.reason, L"1.获取文件大小的状态码为=0；");
        ++reports;
    });
    {
        CurlClient client(L"file://" + source.wstring(), target.wstring(), nullptr, nullptr);
        EXPECT_EQ(client.Start(), 0);
        EXPECT_EQ(client.TotalLength(), 5.0 * 1048576);
    }
    SetDownloadFailureReporter(nullptr);

    EXPECT_EQ(reports, 2);
    EXPECT_EQ(ReadWholeFile(target), ReadWholeFile(source));
    EXPECT_FALSE(fs::exists(target.string() + ".part"));
}
