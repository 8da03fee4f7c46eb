#include "download/curl_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <vector>

#include "download/checksum.h"
#include "download/checksum.h"
#include "download/failure_report.h"
#include "served_package.h"

namespace fs = std::filesystem;

namespace {

std::string StagingName(const ServedPackage& package) { return package.target.string() + ".part"; }

void WriteStaging(const ServedPackage& package, uint64_t bytes) {
    const std::vector<char> whole = ReadWholeFile(package.source);
    std::ofstream(StagingName(package), std::ios::binary)
        .write(whole.data(), static_cast<std::streamsize>(bytes));
}

// Counts the length probes' reports for the life of the object.
class ReportCounter {
public:
    ReportCounter() {
        SetDownloadFailureReporter([this](const DownloadFailureReport& report) {
            EXPECT_EQ(report.task, L"下载失败原因");
            EXPECT_EQ(report.extraProperties.size(), 1u);
            ++count;
        });
    }
    ~ReportCounter() { SetDownloadFailureReporter(nullptr); }
    std::atomic<int> count = 0;
};

}  // namespace

TEST(CurlClient, ResumesFromTheStagingFileAndCountsItInTheProgress) {
    ServedPackage package(10 * kMiB, [](fault_server::Options& o) { o.rateLimit = 8 * kMiB; });
    WriteStaging(package, 3 * kMiB);

    std::vector<double> percents;
    CurlClient client(package.Url(), package.target.wstring(), &percents,
                      [](void* owner, double, double, double percent) {
                          static_cast<std::vector<double>*>(owner)->push_back(percent);
                      });
    client.HashWhileWriting();
    ASSERT_EQ(client.Start(), 0);

    EXPECT_EQ(package.TransferRanges(), std::vector<std::string>{"bytes=3145728-"});
    EXPECT_EQ(client.Checksum(), FileChecksum(package.target.string()));  // resumed bytes too
    ASSERT_FALSE(percents.empty());
    EXPECT_GE(percents.front(), 30.0);
    EXPECT_LT(percents.front(), 45.0);
    EXPECT_TRUE(package.TargetMatchesSource());
    EXPECT_FALSE(fs::exists(StagingName(package)));
    EXPECT_EQ(client.ResumeOffset(), static_cast<int64_t>(3 * kMiB));
}

TEST(CurlClient, RefusedOrFailedAttemptsLeaveTheStagingFileAsItWas) {
    const struct {
        const char* name;
        uint64_t size;
        int allStatus;
        int transferStatus;
        uint64_t stagingBefore;  // 0: none
        int expectedResult;
        size_t expectedTransfers;
        int expectedReports;
    } cases[] = {
        {"package below 1 MiB", 500 * 1024, 0, 0, 0, CurlClient::kLengthUnusable, 0, 0},
        {"404 from the start", 2 * kMiB, 404, 0, 0, CurlClient::kLengthUnusable, 0, 2},
        {"404 to the transfer only", 2 * kMiB, 0, 404, kMiB, CURLE_HTTP_RETURNED_ERROR, 1, 0},
        {"500 to the transfer only", 2 * kMiB, 0, 500, 0, CURLE_HTTP_RETURNED_ERROR, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServedPackage package(c.size, [&](fault_server::Options& o) {
            o.allStatus = c.allStatus;
            o.faults.status = c.transferStatus;
            o.faults.faultedTransfers = -1;
        });
        if (c.stagingBefore) WriteStaging(package, c.stagingBefore);
        ReportCounter reports;
        CurlClient client(package.Url(), package.target.wstring(), nullptr, nullptr);

        EXPECT_EQ(client.Start(), c.expectedResult);
        EXPECT_EQ(package.Transfers().size(), c.expectedTransfers);
        EXPECT_EQ(reports.count, c.expectedReports);
        EXPECT_FALSE(fs::exists(package.target));
        if (c.stagingBefore) {
            EXPECT_EQ(fs::file_size(StagingName(package)), c.stagingBefore);
        } else if (c.expectedResult == CurlClient::kLengthUnusable) {
            EXPECT_FALSE(fs::exists(StagingName(package)));
        }
    }
}

TEST(CurlClient, AStagingFileHoldingTheWholePackageNeedsNoTransfer) {
    ServedPackage package(2 * kMiB);
    WriteStaging(package, 2 * kMiB);
    CurlClient client(package.Url(), package.target.wstring(), nullptr, nullptr);
    EXPECT_EQ(client.Start(), 0);
    EXPECT_TRUE(package.Transfers().empty());
    EXPECT_TRUE(package.TargetMatchesSource());
}

TEST(CurlClient, DestructionRemovesTheStagingFile) {
    ServedPackage package(2 * kMiB, [](fault_server::Options& o) {
        o.faults.status = 500;
        o.faults.faultedTransfers = -1;
    });
    WriteStaging(package, kMiB);
    {
        CurlClient client(package.Url(), package.target.wstring(), nullptr, nullptr);
        EXPECT_EQ(client.Start(), CURLE_HTTP_RETURNED_ERROR);
        EXPECT_TRUE(fs::exists(StagingName(package)));
    }
    EXPECT_FALSE(fs::exists(StagingName(package)));
}
