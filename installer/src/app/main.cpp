#include "app/analytics_reports.h"
#include "app/startup.h"
#include "download/failure_report.h"
#include "platform/command_line.h"
#include "setup/silent_install.h"
#include "ui/drop_shadow.h"
#include "ui/installer_window.h"

// Each part of the installer that joins the start-up sequence attaches its
// hooks here, one line each.
int main() {
    StartupHooks hooks;
    hooks.setUpAnalytics = SetUpAnalytics;
    hooks.reportTask = [](const std::wstring& task) { ReportTask(task, 0, L"", {{L"AB", L"IN"}}); };
    hooks.trackCrash = ReportCrash;
    hooks.releaseAnalytics = ReleaseAnalytics;
    SetDownloadFailureReporter([](const DownloadFailureReport& report) {
        ReportTask(report.task, static_cast<float>(report.elapsedSeconds), report.reason,
                   {report.extraProperties.begin(), report.extraProperties.end()});
    });
    hooks.run = [] {
        const auto arguments = platform::CommandLineToArgv(platform::GetCommandLine());
        return IsSilentRequested(arguments) ? RunSilentInstall(arguments) : RunInstallerWindow();
    };
    CDropShadow::Initialize();
    return RunInstaller(hooks);
}
