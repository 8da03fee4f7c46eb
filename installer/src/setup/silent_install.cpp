#include "setup/silent_install.h"

#include "app/install_settings.h"
#include "platform/current_directory.h"
#include "setup/analytics_install_reports.h"
#include "setup/console_presentation.h"
#include "setup/install_flow.h"
#include "utils/install_paths.h"

namespace {

const std::wstring* Option(const std::map<std::wstring, std::wstring>& options,
                           const wchar_t* name) {
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
}

// A folder given relative to where the installer was started.
std::wstring Absolute(const std::wstring& folder) {
    const std::wstring native = InstallPaths::Normalise(folder);
    if (native.empty() || native.front() == L'/') return native;
    return InstallPaths::Join(platform::GetCurrentDirectory(), native);
}

int ExitCodeOf(InstallOutcome outcome) {
    switch (outcome) {
        case InstallOutcome::Installed:
            return kSilentInstalled;
        case InstallOutcome::ProductRunning:
            return kSilentProductRunning;
        case InstallOutcome::InvalidPath:
            return kSilentInvalidPath;
        case InstallOutcome::LowDiskSpace:
            return kSilentLowDiskSpace;
        case InstallOutcome::NoNetwork:
            return kSilentNoNetwork;
        case InstallOutcome::DownloadFailed:
            return kSilentDownloadFailed;
        case InstallOutcome::InstallFailed:
            return kSilentInstallFailed;
        case InstallOutcome::RemovalFailed:
            return kSilentRemovalFailed;
    }
    return kSilentInstallFailed;
}

}  // namespace

bool IsSilentRequested(const std::vector<std::wstring>& arguments) {
    const auto options = CommandLineOptions(arguments);
    const std::wstring* silent = Option(options, L"-silent");
    return silent != nullptr && *silent == L"true";
}

int RunSilentInstall(const std::vector<std::wstring>& arguments) {
    const auto options = CommandLineOptions(arguments);
    const std::wstring* folder = Option(options, L"-installdir");
    ConsolePresentation presentation(folder ? FlowPage::Custom : FlowPage::Welcome);
    AnalyticsInstallReports reports;
    InstallFlow flow(presentation, reports);
    const std::wstring defaultFolder = flow.Initialise();
    flow.StartUp();
    if (!flow.ExistingInstallFound() && !presentation.Ended()) {
        const std::wstring target =
            folder ? flow.Location().CustomInstallDir(Absolute(*folder)) : defaultFolder;
        flow.StartInstall(target, true, true);
    }
    const std::optional<InstallOutcome> outcome = presentation.Run(flow);
    return outcome ? ExitCodeOf(*outcome) : kSilentInstalled;
}
