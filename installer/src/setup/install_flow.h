#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "setup/download_installer.h"
#include "setup/install_presentation.h"
#include "utils/install_location.h"

namespace Utils {
class Thread;
}

// The install decisions of the installer: start-up with an existing copy, the
// checks before an install, and what each event of the install chain means
// (progress, records, the product start, failures, reports). The window and
// the silent run hold one and only present it. All operations run on one
// thread, the presentation's; the chain's events come back through it.
class InstallFlow {
public:
    InstallFlow(InstallPresentation& presentation, InstallReports& reports);
    ~InstallFlow();
    InstallFlow(const InstallFlow&) = delete;
    InstallFlow& operator=(const InstallFlow&) = delete;

    // Reads the install record; returns the folder to offer.
    std::wstring Initialise();

    // With an existing copy: reinstall at once in update mode, refuse while
    // the product runs, else ask what to do. Without one: nothing.
    void StartUp();

    // The checks of one install request; true when the install was asked for.
    bool StartInstall(const std::wstring& folder, bool desktopShortcut, bool quickLaunch);

    // The "install" and "checknet" notifications and the chain's events.
    void BeginDownloadInstall(bool proceed);
    void OnNetworkCheck(int32_t result);
    void OnInstallEvent(const InstallEvent& event);

    // The report "下载器启动", made once per run.
    void ReportDownloaderStart();

    // Opens the start address and starts the product.
    void LaunchProduct();

    InstallLocation& Location() { return location; }
    bool ExistingInstallFound() const { return existingInstallFound; }
    int StartupStyle() const { return startupStyle; }

private:
    void FinishInstall();
    void ShowMessage(MessageBoxSkin skin, const std::wstring& text);
    void RefuseWhileRunning(bool closeAlways);
    void ShowProgress(int percent);
    double DownloadSeconds() const;
    void ReportDownloadFailure(const InstallEvent& event);
    void ReportFailureReason(const InstallEvent& event, bool download);
    void OnDownloadFailed(const InstallEvent& event);
    void OnRemovalFailed();

    InstallPresentation& presentation;
    InstallReports& reports;
    InstallLocation location;
    bool existingInstallFound = false;
    std::wstring exePath;
    std::wstring startUrl;
    int startupStyle = 0;
    uint32_t topShowDetention = 3000;
    uint32_t finishCloseDetention = 0xFFFFFFFF;
    FlowPage startPage = FlowPage::Welcome;
    double installFraction = 0.0;
    int shownPercent = 0;
    uint64_t downloadStartTick = 0;
    bool downloadClockRunning = false;
    bool downloaderStartReported = false;
    std::unique_ptr<CDownloadInstaller> driver;
    std::unique_ptr<Utils::Thread> networkCheckThread;
};
