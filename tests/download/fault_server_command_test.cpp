#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "download/checksum.h"
#include "download/curl_downloader.h"
#include "event_recorder.h"
#include "package_file.h"
#include "run_process.h"
#include "scratch_home.h"
#include "server_process.h"

namespace fs = std::filesystem;

// The command scripts and the demo use: the port on the first line, the
// faults from the options, one log line per request, a clean end on SIGTERM.
TEST(FaultServerCommand, ServesWithFaultsAndLogsEveryRequest) {
    test_support::ScratchHome home;
    const fs::path package = home.tmp() / "Brushwell_full.exe";
    const fs::path log = home.tmp() / "requests.log";
    WritePackageFile(package, 1048576 + 10);
    const std::string md5 = FileChecksum(package.string());

    test_support::ServerProcess server({FAULT_SERVER_PATH, "--file", package.string(), "--port",
                                        "0", "--log", log.string(), "--cut-after", "1000",
                                        "--fault-transfers", "1"});
    const std::string port = server.ReadLine();
    ASSERT_FALSE(port.empty());

    EventRecorder events;
    {
        const fs::path target = home.tmp() / "setup.exe";
        CCurlDownloader downloader(events.Callback(),
                                   fs::path("http://127.0.0.1:" + port + "/software/351").wstring(),
                                   target.wstring());
        downloader.SetRetryPause(20);
        downloader.Start();
        ASSERT_TRUE(events.WaitForEnd());
        EXPECT_EQ(FileChecksum(target.string()), md5);
    }
    EXPECT_EQ(events.Milestones().back(), DL_CODE_SUCCESS);
    EXPECT_EQ(server.Terminate(), 0);

    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const std::string uri = "/" + md5 + "/Brushwell_full.exe";
    EXPECT_EQ(lines, (std::vector<std::string>{"HEAD /software/351 - 302", "HEAD " + uri + " - 200",
                                               "GET " + uri + " - 200",
                                               "GET " + uri + " bytes=1000- 206"}));
}

TEST(FaultServerCommand, RefusesBadOptions) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {FAULT_SERVER_PATH},
             {FAULT_SERVER_PATH, "--file"},
             {FAULT_SERVER_PATH, "--bogus", "1"},
             {FAULT_SERVER_PATH, "--file", "/nonexistent", "--checksum", "odd"}}) {
        EXPECT_EQ(test_support::RunProcess(args).exitCode, 2) << args.size();
    }
    EXPECT_EQ(test_support::RunProcess({FAULT_SERVER_PATH, "--file", "/nonexistent"}).exitCode, 1);
    EXPECT_EQ(test_support::RunProcess({FAULT_SERVER_PATH, "--help"}).exitCode, 0);
}
