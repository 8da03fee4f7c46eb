#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "download/checksum.h"
#include "download/curl_client.h"
#include "download/downloader.h"
#include "event_recorder.h"
#include "nginx_server.h"
#include "package_file.h"
#include "scratch_home.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kPackageSize = 25 * 1048576 + 7;  // two ranges, an odd split

// The package laid out as the CDN serves it: "/<md5>/<name>", reached by a
// redirect from the configured path.
class NginxPackage {
public:
    NginxPackage() {
        const fs::path staging = home.tmp() / "package.bin";
        WritePackageFile(staging, kPackageSize);
        md5 = FileChecksum(staging.string());
        fs::create_directories(home.tmp() / "www" / md5);
        fs::rename(staging, home.tmp() / "www" / md5 / "Brushwell_full.exe");
        fs::create_directories(home.tmp() / "nginx");
        nginx = std::make_unique<test_support::NginxServer>(
            home.tmp() / "nginx", home.tmp() / "www",
            "location = /software/351 { return 302 /" + md5 + "/Brushwell_full.exe; }");
    }

    bool Has(const std::string& line) const {
        const auto log = nginx->AccessLog();
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    std::wstring Url() const { return fs::path(nginx->BaseUrl() + "/software/351").wstring(); }
    std::string PackageUri() const { return "/" + md5 + "/Brushwell_full.exe"; }

    test_support::ScratchHome home;
    std::string md5;
    std::unique_ptr<test_support::NginxServer> nginx;
};

}  // namespace

// The three downloaders against the web server the CDN runs: redirect, HEAD
// with the length, open and closed byte ranges.
TEST(NginxConformance, EveryDownloaderFetchesAndVerifiesThePackage) {
    if (!test_support::NginxServer::Installed()) GTEST_SKIP() << "nginx is not installed";
    NginxPackage package;
    ASSERT_TRUE(package.nginx->Start()) << package.nginx->Error();

    const std::string uri = package.PackageUri();
    const struct {
        int type;
        std::vector<std::string> expectedLog;
    } cases[] = {
        {1, {"HEAD /software/351 - 302", "HEAD " + uri + " - 200", "GET " + uri + " - 200"}},
        {2, {"GET /software/351 - 302", "GET " + uri + " - 200"}},
        {3,
         {"HEAD /software/351 - 302", "HEAD " + uri + " - 200",
          "GET " + uri + " bytes=0-13107202 206", "GET " + uri + " bytes=13107203-26214406 206"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::ofstream(package.home.tmp() / "nginx" / "access.log", std::ios::trunc);
        const fs::path target = package.home.tmp() / ("setup" + std::to_string(c.type) + ".exe");
        EventRecorder events;
        {
            auto downloader =
                CreateDownloader(c.type, events.Callback(), package.Url(), target.wstring());
            downloader->Start();
            ASSERT_TRUE(events.WaitForEnd());
        }
        EXPECT_EQ(events.Milestones().back(), DL_CODE_SUCCESS);
        EXPECT_EQ(FileChecksum(target.string()), package.md5);
        for (const auto& line : c.expectedLog) EXPECT_TRUE(package.Has(line)) << line;
    }
}

TEST(NginxConformance, AStagingFileIsResumedWithAnOpenRange) {
    if (!test_support::NginxServer::Installed()) GTEST_SKIP() << "nginx is not installed";
    NginxPackage package;
    ASSERT_TRUE(package.nginx->Start()) << package.nginx->Error();
    const fs::path target = package.home.tmp() / "setup.exe";
    const auto whole =
        ReadWholeFile(package.home.tmp() / "www" / package.md5 / "Brushwell_full.exe");
    std::ofstream(target.string() + ".part", std::ios::binary).write(whole.data(), 3145728);

    CurlClient client(package.Url(), target.wstring(), nullptr, nullptr);
    EXPECT_EQ(client.Start(), 0);
    EXPECT_EQ(FileChecksum(target.string()), package.md5);
    EXPECT_TRUE(package.Has("GET " + package.PackageUri() + " bytes=3145728- 206"));
}
