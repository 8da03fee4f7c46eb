#include "app/startup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "run_process.h"
#include "scratch_home.h"
#include "setup/silent_install.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Starts a process that holds the installer's guard and waits until it does.
std::unique_ptr<test_support::BackgroundProcess> HoldGuard(const test_support::ScratchHome& home) {
    const fs::path marker = home.tmp() / "held";
    auto holder = std::make_unique<test_support::BackgroundProcess>(
        std::vector<std::string>{STARTUP_PROBE_PATH, "hold", marker.string()});
    for (int i = 0; i < 500 && !fs::exists(marker); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(fs::exists(marker)) << "the holder never took the guard";
    return holder;
}

TEST(SingleInstance, SecondCopyEndsAtOnceWhileAnotherHoldsTheGuard) {
    test_support::ScratchHome home;
    auto holder = HoldGuard(home);
    const auto started = std::chrono::steady_clock::now();
    const test_support::ProcessResult second = test_support::RunProcess({INSTALLER_PATH});
    EXPECT_EQ(second.exitCode, kExitAlreadyRunning);
    EXPECT_EQ(second.output, "");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);

    // The probe's own sequence is refused the same way, without any report.
    const test_support::ProcessResult probe = test_support::RunProcess({STARTUP_PROBE_PATH});
    EXPECT_EQ(probe.exitCode, kExitAlreadyRunning);
    EXPECT_EQ(probe.output, "");

    holder.reset();  // killed: the kernel releases the lock
    // A silent run that ends at its first check (a folder too long to create),
    // so the copy that got past the guard does not stay open with a window.
    const test_support::ProcessResult after =
        test_support::RunProcess({INSTALLER_PATH, "-silent=true", "-isenableappanalytics=false",
                                  "-installdir=/" + std::string(300, 'x')});
    EXPECT_NE(after.exitCode, kExitAlreadyRunning) << "the guard was not taken again";
    EXPECT_TRUE(after.exitCode == kSilentInvalidPath || after.exitCode == kSilentProductRunning)
        << after.exitCode;
}

TEST(SingleInstance, OtherSessionsAreNotBlocked) {
    test_support::ScratchHome first;
    auto holder = HoldGuard(first);
    // Another logon session has a runtime folder of its own.
    test_support::ScratchHome second;
    const test_support::ProcessResult other = test_support::RunProcess({STARTUP_PROBE_PATH});
    EXPECT_EQ(other.exitCode, kExitNormal);
}

TEST(Startup, RunsTheHooksInOrder) {
    test_support::ScratchHome home;
    EXPECT_EQ(test_support::RunProcess({STARTUP_PROBE_PATH}).output, "setup\nrun\nrelease\n");
    const test_support::ProcessResult off =
        test_support::RunProcess({STARTUP_PROBE_PATH, "-isenableappanalytics=false"});
    EXPECT_EQ(off.output, "setup\nrun\n");
    EXPECT_EQ(off.exitCode, kExitNormal);
}

TEST(CrashFilter, ReportsThenTheProcessStillDiesOfTheSignal) {
    test_support::ScratchHome home;
    struct Case {
        const char* mode;
        int signal;
    };
    const Case cases[] = {
        {"segv", SIGSEGV}, {"abort", SIGABRT}, {"ill", SIGILL}, {"fpe", SIGFPE}, {"bus", SIGBUS}};
    for (const Case& c : cases) {
        const test_support::ProcessResult result =
            test_support::RunProcess({STARTUP_PROBE_PATH, c.mode});
        EXPECT_EQ(result.signal, c.signal) << c.mode;
        EXPECT_EQ(result.output, "setup\ntask 崩溃退出\ncrash\n") << c.mode;
    }
    const test_support::ProcessResult stuck =
        test_support::RunProcess({STARTUP_PROBE_PATH, "segv-stuck"});
    EXPECT_EQ(stuck.signal, SIGSEGV) << "the handler waits two seconds at most";
    EXPECT_EQ(stuck.output, "setup\ntask 崩溃退出\n");
    const test_support::ProcessResult off =
        test_support::RunProcess({STARTUP_PROBE_PATH, "segv", "-isenableappanalytics=false"});
    EXPECT_EQ(off.signal, SIGSEGV);
    EXPECT_EQ(off.output, "setup\ntask 崩溃退出\n");
}

}  // namespace
