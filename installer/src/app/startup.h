#pragma once

#include <functional>
#include <string>

// Exit codes of the installer.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitLoadFailure = 1;
// -1 of the Windows entry point, as the exit status shows it.
inline constexpr int kExitAlreadyRunning = 255;

// The points where the other parts of the installer attach to the start-up
// sequence. main() fills them; an empty hook is skipped.
struct StartupHooks {
    // Sets up the analytics context; runs after the single-instance guard and
    // before the options are read, so it sees the configuration file's values.
    std::function<void()> setUpAnalytics;
    // A task report with an empty reason and the extra property "AB" = "IN".
    // Called only once setUpAnalytics has run; earlier reports are kept until
    // then, or dropped when the process ends before.
    std::function<void(const std::wstring& taskName)> reportTask;
    // The tracker's crash record; only when IsEnableAppAnalytics is true.
    std::function<void()> trackCrash;
    // Releases the process-wide tracker (which sends what is queued); only
    // when IsEnableAppAnalytics is true.
    std::function<void()> releaseAnalytics;
    // Toolkit set-up, the main window and its modal run, or a run without a
    // window; returns the exit code. Empty: RunWithoutWindow.
    std::function<int()> run;
};

// What the installer does when no way to run it is attached: says so on
// standard error and ends with kExitLoadFailure.
int RunWithoutWindow();

// The crash filter of the installer, which makes the hooks' crash reports on
// the reporter thread. False when it cannot be installed.
bool InstallCrashFilter(const StartupHooks& hooks);
void RemoveCrashFilter();

// The whole start-up sequence, the run and the clean-up in reverse order;
// returns the exit code.
int RunInstaller(const StartupHooks& hooks);
