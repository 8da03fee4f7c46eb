#include "setup/download_installer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "app/install_settings.h"
#include "event_recorder.h"
#include "fault_server.h"
#include "padded_package.h"
#include "run_process.h"
#include "scratch_home.h"
#include "script_file.h"
#include "utils/environment_probes.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadLines;
using test_support::Wide;
using test_support::WriteShellScript;

class Chain : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home.tmp() / "served");
        // It records its arguments.
        WritePaddedPackage(home.tmp() / "served" / "package.exe",
                           "printf '%s\\n' \"$0\" \"$@\" > '" + argvRecord.string() +
                               "'\necho 'Progress=0.5'\necho 'State=Success'\n");
    }

    void TearDown() override {
        InstallSettings::Instance().InsNew = false;
        InstallSettings::Instance().DownloadType = 1;
    }

    std::unique_ptr<fault_server::Server> Serve(int allStatus = 0) {
        fault_server::Options options;
        options.file = (home.tmp() / "served" / "package.exe").string();
        options.allStatus = allStatus;
        auto server = std::make_unique<fault_server::Server>(options);
        EXPECT_TRUE(server->Start()) << server->Error();
        return server;
    }

    // An installed copy whose uninstaller runs `body`.
    fs::path OldCopy(const std::string& body) {
        const fs::path folder = home.home() / "old copy" / "Brushwell";
        fs::create_directories(folder);
        WriteShellScript(folder / "uninst.ep", body);
        return folder / "uninst.ep";
    }

    std::unique_ptr<CDownloadInstaller> MakeChain(
        std::function<void(const RecordedEvent&)> onEvent = {}) {
        return std::make_unique<CDownloadInstaller>(recorder.Callback(std::move(onEvent)), L"", L"",
                                                    L"", true, true, true);
    }

    test_support::ScratchHome home;
    fs::path argvRecord = home.tmp() / "package-argv.txt";
    fs::path target = home.home() / "apps" / "deep" / "Brushwell";
    EventRecorder recorder;
};

TEST_F(Chain, WithoutAnOldCopyTheDownloadComesFirstIntoAFolderMadeForIt) {
    auto server = Serve();
    // The folder is made at 1001, so the next event of the download sees it.
    int seen = 0;
    bool folderAfterStart = false;
    auto chain = MakeChain([&](const RecordedEvent&) {
        if (++seen == 2) folderAfterStart = fs::is_directory(target);
    });
    chain->SetParams(Wide(server->RedirectUrl()), L"", L"", Wide(target), true, false, true, true,
                     L"");
    chain->Start();
    ASSERT_TRUE(recorder.WaitFor(2003));
    EXPECT_EQ(chain->PackagePath(), Wide(target / "__Package_Brushwell.exe"));
    chain.reset();
    const std::vector<int32_t> codes = recorder.Codes();
    EXPECT_EQ(codes.front(), 1001);
    EXPECT_TRUE(folderAfterStart);
    EXPECT_LT(std::find(codes.begin(), codes.end(), 1003),
              std::find(codes.begin(), codes.end(), 2001));
    EXPECT_FALSE(fs::exists(target / "__Package_Brushwell.exe"));  // deleted after the install
    const std::vector<std::string> argv = ReadLines(argvRecord);
    ASSERT_FALSE(argv.empty());
    EXPECT_EQ(argv.back(), "/D=" + target.string());
    EXPECT_EQ(argv[0], target.string() + "/__Package_Brushwell.exe");
    EXPECT_EQ(argv[6], "-dsc=true");
    EXPECT_EQ(argv[7], "-ssc=false");
}

TEST_F(Chain, ALaterStartKeepsThePackagePathButTellsTheNewFolder) {
    auto server = Serve();
    const fs::path other = home.home() / "other" / "Brushwell";
    auto chain = MakeChain();
    for (const fs::path& folder : {target, other}) {
        chain->SetParams(Wide(server->RedirectUrl()), L"", L"", Wide(folder), true, true, false,
                         false, L"");
        chain->Start();
        // The package writes its arguments as it starts.
        for (int i = 0; i < 200 && ReadLines(argvRecord).empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_FALSE(ReadLines(argvRecord).empty());
        if (folder == target) fs::remove(argvRecord);
    }
    chain.reset();
    const std::vector<std::string> argv = ReadLines(argvRecord);
    ASSERT_FALSE(argv.empty());
    EXPECT_EQ(argv.front(), target.string() + "/__Package_Brushwell.exe");
    EXPECT_EQ(argv.back(), "/D=" + other.string());
}

TEST_F(Chain, AnOldCopyIsRemovedThroughACopyOfItsUninstallerBeforeTheDownload) {
    auto server = Serve();
    const fs::path removalArgv = home.tmp() / "removal-argv.txt";
    const fs::path uninstaller = OldCopy("printf '%s\\n' \"$0\" \"$@\" > '" + removalArgv.string() +
                                         "'\necho 'Progress=0.5'\necho 'State=Success'\n");
    size_t requestsAtRemoval = 99;
    auto chain = MakeChain([&](const RecordedEvent& event) {
        if (event.code == 5003) requestsAtRemoval = server->Log().size();
    });
    chain->SetParams(Wide(server->RedirectUrl()), Wide(uninstaller.parent_path()),
                     Wide(uninstaller), Wide(target), true, true, false, false, L"");
    chain->Start();
    ASSERT_TRUE(recorder.WaitFor(2003));
    chain.reset();
    EXPECT_EQ(requestsAtRemoval, 0u);
    const std::vector<int32_t> codes = recorder.Codes();
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(std::vector<int32_t>(codes.begin(), codes.begin() + 4),
              (std::vector<int32_t>{5002, 5002, 5003, 1001}));
    const std::vector<std::string> argv = ReadLines(removalArgv);
    ASSERT_EQ(argv.size(), 7u);
    EXPECT_EQ(argv[0],
              (home.tmp() / "~ZerraTemp.E5D1730C4A9F2B68" / "Brushwell_un_asa.exe").string());
    EXPECT_EQ(argv[5], "_?=" + (home.home() / "old").string());
    EXPECT_EQ(argv[6], "copy/Brushwell");
}

TEST_F(Chain, AFailedRemovalStartsNoDownload) {
    auto server = Serve();
    for (const std::string& body :
         {std::string("echo 'State=Fail'\n"), std::string("echo 'Error=in use'\n")}) {
        const fs::path uninstaller = OldCopy(body);
        EventRecorder removal;
        auto chain = std::make_unique<CDownloadInstaller>(removal.Callback(), L"", L"", L"", true,
                                                          true, true);
        chain->SetParams(Wide(server->RedirectUrl()), L"", Wide(uninstaller), Wide(target), true,
                         true, false, false, L"");
        chain->Start();
        chain.reset();  // waits for the removal thread; nothing else was started
        EXPECT_EQ(removal.Codes(), (std::vector<int32_t>{5002, 5005})) << body;
    }
    EXPECT_TRUE(server->Log().empty());
}

TEST_F(Chain, TwoFailedSequencesDeleteBothPackageFiles) {
    auto server = Serve(404);
    const fs::path first = home.home() / "first";
    const fs::path second = home.home() / "second";
    for (const fs::path& folder : {first, second}) {
        EventRecorder sequence;
        auto chain = std::make_unique<CDownloadInstaller>(sequence.Callback(), L"", L"", L"", true,
                                                          true, true);
        chain->SetParams(Wide(server->RedirectUrl()), L"", L"", Wide(folder), true, true, false,
                         false, L"");
        chain->Start();
        ASSERT_TRUE(sequence.WaitFor(1004));
        chain.reset();
        if (folder == first) {
            // What an interrupted run may leave behind in both folders.
            for (const fs::path& leftover : {first, second}) {
                fs::create_directories(leftover);
                std::ofstream(leftover / "__Package_Brushwell.exe") << "partial";
            }
            continue;
        }
        EXPECT_FALSE(fs::exists(first / "__Package_Brushwell.exe"));
        EXPECT_FALSE(fs::exists(second / "__Package_Brushwell.exe"));
    }
}

TEST_F(Chain, UpdateModeWaitsForTheRunningProduct) {
    auto server = Serve();
    const fs::path product = home.tmp() / "Brushwell.exe";
    WriteShellScript(product, "sleep 1\n", true);
    const fs::path uninstaller = OldCopy("echo 'State=Success'\n");
    InstallSettings::Instance().InsNew = true;
    test_support::BackgroundProcess running({product.string()});
    while (FindProcessByName(L"Brushwell.exe") == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    auto chain = MakeChain();
    chain->SetParams(Wide(server->RedirectUrl()), L"", Wide(uninstaller), Wide(target), true, true,
                     false, false, L"");
    chain->Start();
    // Start returned only once the product had ended.
    EXPECT_EQ(running.Wait(), 0);
    ASSERT_TRUE(recorder.WaitFor(2003));
}

TEST_F(Chain, DownloadTypeChoosesTheDownloader) {
    auto server = Serve();
    struct Case {
        int type;
        std::wstring source;  // the text of 1003
        bool byParts;         // closed byte ranges
    };
    const Case cases[] = {{0, L"LibCurl", false},
                          {1, L"LibCurl", false},
                          {2, L"URLDownloadToFile", false},
                          {3, L"LibCurl", true},
                          {7, L"LibCurl", false}};
    for (const auto& [type, source, byParts] : cases) {
        const size_t logged = server->Log().size();
        InstallSettings::Instance().DownloadType = type;
        EventRecorder download;
        auto chain = std::make_unique<CDownloadInstaller>(download.Callback(), L"", L"", L"", true,
                                                          true, true);
        chain->SetParams(Wide(server->RedirectUrl()), L"", L"", Wide(target), true, true, false,
                         false, L"");
        chain->Start();
        ASSERT_TRUE(download.WaitFor(2003)) << type;
        chain.reset();
        for (const RecordedEvent& event : download.Events()) {
            if (event.code == 1003) {
                EXPECT_EQ(event.text, source) << type;
            }
        }
        bool closedRange = false;
        const std::vector<fault_server::LogEntry> log = server->Log();
        for (size_t i = logged; i < log.size(); ++i) {
            const std::string& range = log[i].range;
            closedRange |= !range.empty() && range.back() != '-';
        }
        EXPECT_EQ(closedRange, byParts) << type;
    }
}

}  // namespace
