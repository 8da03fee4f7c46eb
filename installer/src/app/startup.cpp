#include "app/startup.h"

#include <curl/curl.h>

#include <atomic>
#include <cstdio>

#include "app/debug_log.h"
#include "app/install_settings.h"
#include "app/single_instance_guard.h"
#include "platform/crash_filter.h"
#include "platform/library_path.h"

namespace {

constexpr wchar_t kHttpInitFailedTask[] = L"libcurl初始化失败";
constexpr wchar_t kCrashTask[] = L"崩溃退出";

// Reports need the tracker, which exists only between set-up and release.
std::atomic<bool> analyticsReady{false};

void HardenLibrarySearchPath() {
    if (!platform::RestrictLibrarySearchPath()) {
        DebugLog(L"nothing to harden: the loader never searches the current folder\r\n");
    }
}

// Removes the crash filter on every way out of the sequence.
class CrashFilterScope {
public:
    explicit CrashFilterScope(const StartupHooks& hooks) {
        if (!InstallCrashFilter(hooks)) DebugLog(L"crash filter not installed\r\n");
    }
    ~CrashFilterScope() { RemoveCrashFilter(); }
    CrashFilterScope(const CrashFilterScope&) = delete;
    CrashFilterScope& operator=(const CrashFilterScope&) = delete;
};

}  // namespace

int RunWithoutWindow() {
    std::fputs("installer: the installer window is not available in this build\n", stderr);
    return kExitLoadFailure;
}

bool InstallCrashFilter(const StartupHooks& hooks) {
    return platform::SetUnhandledExceptionFilter(
        [reportTask = hooks.reportTask, trackCrash = hooks.trackCrash](int signal) {
            DebugLog(L"unhandled signal %d\r\n", signal);
            if (!analyticsReady) return;
            if (reportTask) reportTask(kCrashTask);
            if (trackCrash && InstallSettings::Instance().IsEnableAppAnalytics) trackCrash();
        });
}

void RemoveCrashFilter() { platform::RemoveUnhandledExceptionFilter(); }

int RunInstaller(const StartupHooks& hooks) {
    InstallSettings& settings = InstallSettings::Instance();
    HardenLibrarySearchPath();
    CrashFilterScope crashFilter(hooks);

    const bool httpReady = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
    if (!httpReady) {
        settings.HttpLibraryReady = false;
        DebugLog(L"curl_global_init failed\r\n");
    }

    SingleInstanceGuard guard;
    if (!guard.Acquire()) {
        DebugLog(L"another installer is running\r\n");
        return kExitAlreadyRunning;
    }

    if (hooks.setUpAnalytics) hooks.setUpAnalytics();
    analyticsReady = true;
    if (!httpReady && hooks.reportTask) hooks.reportTask(kHttpInitFailedTask);

    settings.ReadOptions();

    const int exitCode = hooks.run ? hooks.run() : RunWithoutWindow();

    if (settings.IsEnableAppAnalytics && hooks.releaseAnalytics) hooks.releaseAnalytics();
    analyticsReady = false;
    if (httpReady) curl_global_cleanup();
    guard.Release();
    return exitCode;
}
