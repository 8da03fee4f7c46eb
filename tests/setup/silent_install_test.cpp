#include "setup/silent_install.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "fault_server.h"
#include "padded_package.h"
#include "run_process.h"
#include "scratch_home.h"
#include "script_file.h"
#include "utils/install_record.h"
#include "wide_path.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using test_support::ReadText;
using test_support::Wide;

struct Finished {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The real installer, copied beside a configuration file that points it at
// the test's own download server, run silently in a scratch home.
class SilentInstall : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(bin);
        fs::copy_file(INSTALLER_PATH, bin / "installer");
    }

    void Serve(const fs::path& package,
               const std::function<void(fault_server::Options&)>& adjust = {}) {
        fault_server::Options options;
        options.file = package.string();
        if (adjust) adjust(options);
        server = std::make_unique<fault_server::Server>(options);
        ASSERT_TRUE(server->Start()) << server->Error();
    }

    void Configure(const std::string& extra = "IsCheckNet=false\n") {
        std::ofstream(bin / "ZerraInstallerConfig.ini")
            << "[Install]\nDownloadUrl=" << server->RedirectUrl()
            << "\nIsEnableAppAnalytics=false\n"
            << extra;
    }

    // Runs the installer with `arguments`, its output in files. Whether
    // "Brushwell.exe" runs is a question about the whole machine, so as root the
    // run gets a process namespace of its own, where only it is seen; `prefix`
    // adds namespaces (a program that starts the rest of the line).
    Finished Run(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& prefix = {}, bool ownProcesses = true) {
        std::vector<std::string> argv = prefix;
        if (ownProcesses && geteuid() == 0) {
            argv.insert(argv.begin(), {"unshare", "-p", "-f", "--mount-proc"});
        }
        argv.push_back((bin / "installer").string());
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const fs::path out = home.root() / "out.txt";
        const fs::path err = home.root() / "err.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<char*> pointers;
        for (std::string& argument : argv) pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        pid_t pid = 0;
        Finished finished;
        if (posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        finished.out = ReadText(out);
        finished.err = ReadText(err);
        return finished;
    }

    // Records an installed copy whose uninstaller runs `body`.
    fs::path RecordOldCopy(const std::string& body) {
        const fs::path folder = home.home() / "old" / "Brushwell";
        fs::create_directories(folder);
        test_support::WriteShellScript(folder / "uninst.ep", body);
        EXPECT_TRUE(WriteRegistryValue(L"InstallPath", Wide(folder)));
        return folder;
    }

    test_support::ScratchHome home;
    fs::path bin = home.root() / "bin";
    fs::path target = home.home() / "my apps";
    std::unique_ptr<fault_server::Server> server;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(SilentInstall, InstallsTheDemoProductAndUpdatesItOnTheNextRun) {
    Serve(DEMO_PACKAGE);
    // UserStartup: a started product would outlive the run (its start is
    // tested with the flow).
    Configure("IsCheckNet=false\nInstCmd=-startupstyle=UserStartup\n");
    const Finished first = Run({"-silent=true", "-installdir=" + target.string()});
    ASSERT_EQ(first.exitCode, kSilentInstalled) << first.err;
    const fs::path product = target / "Brushwell";
    EXPECT_TRUE(Contains(first.out, "progress: 100%\n")) << first.out;
    EXPECT_TRUE(fs::exists(product / "Brushwell.exe"));
    EXPECT_FALSE(fs::exists(product / "__Package_Brushwell.exe"));
    EXPECT_TRUE(fs::exists(home.home() / "Desktop" / "brushwell.desktop"));
    EXPECT_TRUE(fs::exists(home.data() / "applications" / "brushwell.desktop"));
    std::wstring recorded;
    ASSERT_TRUE(ReadRegistryValue(L"InstallPath", recorded));
    EXPECT_EQ(recorded, Wide(product));
    ASSERT_TRUE(ReadRegistryValue(L"UnInstallEp", recorded));
    EXPECT_EQ(recorded, Wide(product / "uninst.ep"));
    EXPECT_TRUE(Contains(ReadText(product / "set.ini"), "AppName=Brushwell"));
    // The next run finds the copy, removes it with its own uninstaller and
    // installs into the recorded folder, whatever folder it is given.
    std::ofstream(product / "user-notes.txt") << "mine";
    const Finished second = Run({"-silent=true", "-installdir=/elsewhere"});
    ASSERT_EQ(second.exitCode, kSilentInstalled) << second.err;
    EXPECT_TRUE(Contains(second.err, "-> 安装最新版本")) << second.err;
    EXPECT_TRUE(fs::exists(home.tmp() / "~ZerraTemp.E5D1730C4A9F2B68" / "Brushwell_un_asa.exe"));
    EXPECT_TRUE(fs::exists(product / "Brushwell.exe"));
    EXPECT_TRUE(fs::exists(product / "user-notes.txt"));
    EXPECT_FALSE(fs::exists("/elsewhere"));

    // Update mode reinstalls at once, without the question.
    const Finished update = Run({"-silent=true", "-insnew=true"});
    ASSERT_EQ(update.exitCode, kSilentInstalled) << update.err;
    EXPECT_FALSE(Contains(update.err, "安装最新版本")) << update.err;
    EXPECT_TRUE(fs::exists(product / "Brushwell.exe"));
}

TEST_F(SilentInstall, EachFailureEndsWithItsExitCode) {
    const fs::path failing = home.root() / "failing.exe";
    WritePaddedPackage(failing, "echo 'Progress=0.3'\necho 'Error=disk full'\n");
    const std::string longFolder = "/tmp/" + std::string(300, 'd');
    struct Case {
        const char* name;
        fs::path package;
        std::function<void(fault_server::Options&)> adjust;
        std::function<void()> prepare;
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"checksum mismatch",
         DEMO_PACKAGE,
         [](fault_server::Options& o) { o.checksum = fault_server::ChecksumSegment::Wrong; },
         {},
         {},
         kSilentDownloadFailed,
         "-> 稍后再试"},
        {"missing package",
         DEMO_PACKAGE,
         [](fault_server::Options& o) { o.allStatus = 404; },
         {},
         {},
         kSilentDownloadFailed,
         "当前网络环境较差"},
        {"folder too long",
         DEMO_PACKAGE,
         {},
         {},
         {"-installdir=" + longFolder},
         kSilentInvalidPath,
         "温馨提示: 无效路径"},
        {"package error", failing, {}, {}, {}, kSilentInstallFailed, "温馨提示: disk full"},
        {"removal fails",
         DEMO_PACKAGE,
         {},
         [this] { RecordOldCopy("echo 'Error=files in use'\n"); },
         {},
         kSilentRemovalFailed,
         "正在运行，请退出程序后再安装"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Serve(c.package, c.adjust);
        Configure();
        if (c.prepare) c.prepare();
        std::vector<std::string> arguments{"-silent=true"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        if (c.arguments.empty()) arguments.push_back("-installdir=" + target.string());
        const Finished finished = Run(arguments);
        EXPECT_EQ(finished.exitCode, c.exitCode) << finished.err;
        EXPECT_TRUE(Contains(finished.err, c.message)) << finished.err;
        EXPECT_FALSE(fs::exists(target / "Brushwell" / "__Package_Brushwell.exe"));
        WriteRegistryValue(L"InstallPath", L"");
    }
}

TEST_F(SilentInstall, ARunningProductStopsTheUpdate) {
    Serve(DEMO_PACKAGE);
    Configure();
    const fs::path old = RecordOldCopy("echo 'State=Success'\n");
    test_support::WriteShellScript(old / "Brushwell.exe", "sleep 30\n", true);
    Finished finished;
    {
        test_support::BackgroundProcess product({(old / "Brushwell.exe").string()});
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        finished = Run({"-silent=true"}, {}, false);
    }  // the product's process group ends here
    EXPECT_EQ(finished.exitCode, kSilentProductRunning) << finished.err;
    EXPECT_TRUE(Contains(finished.err, "温馨提示: 安装程序检测到Brushwell 正在运行"))
        << finished.err;
    EXPECT_TRUE(server->Log().empty());
}

// These need a namespace of their own (root, as in CI).
TEST_F(SilentInstall, LowSpaceAndNoNetworkInNamespacesOfTheirOwn) {
    if (geteuid() != 0) GTEST_SKIP() << "mount and network namespaces need root";
    Serve(DEMO_PACKAGE);
    Configure();
    fs::create_directories(target);
    // A 1 MiB file system mounted over the target folder for this run only.
    const Finished lowSpace =
        Run({"-silent=true", "-installdir=" + target.string()},
            {"unshare", "-m", "--propagation", "private", "sh", "-c",
             "mount -t tmpfs -o size=1m tmpfs \"$0\" && exec \"$@\"", target.string()});
    EXPECT_EQ(lowSpace.exitCode, kSilentLowDiskSpace) << lowSpace.err;
    EXPECT_TRUE(Contains(lowSpace.err, "GiB free")) << lowSpace.err;
    EXPECT_TRUE(server->Log().empty());

    Configure("IsCheckNet=true\n");
    const Finished offline =
        Run({"-silent=true", "-installdir=" + target.string()}, {"unshare", "-n"});
    EXPECT_EQ(offline.exitCode, kSilentNoNetwork) << offline.err;
    EXPECT_TRUE(Contains(offline.err, "当前网络环境较差，请在网络通畅时进行安装")) << offline.err;
}

}  // namespace
