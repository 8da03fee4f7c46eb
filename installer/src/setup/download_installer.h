#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "download/download_callback.h"
#include "download/downloader.h"
#include "setup/installer.h"
#include "setup/uninstaller.h"

// The install chain: removal of an old copy through its own uninstaller when
// one is given, then the download of the package, then the package run. Every
// event of the three children is forwarded unchanged to one callback, on the
// child's thread; the chain hands over from thread to thread.
class CDownloadInstaller {
public:
    CDownloadInstaller(DownloadCallback callback, std::wstring url, std::wstring uninstallerPath,
                       std::wstring installDir, bool desktopShortcut, bool quickLaunchShortcut,
                       bool adminAct);
    ~CDownloadInstaller();
    CDownloadInstaller(const CDownloadInstaller&) = delete;
    CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

    void SetParams(const std::wstring& url, const std::wstring& recordedInstallPath,
                   const std::wstring& uninstallerPath, const std::wstring& installDir,
                   bool desktopShortcut, bool quickLaunchShortcut, bool adminAct,
                   bool authorizationAct, const std::wstring& installLanguage);

    // The package file "__Package_Brushwell.exe" in the target folder.
    std::wstring PackagePath();

    // Begins the sequence and returns; in update mode (-insnew) it first waits
    // for a running product to end. On the window thread.
    void Start();

private:
    void HandleDownloadEvent(int32_t code, double value, const wchar_t* text);
    void HandlePackageEvent(int32_t code, double value, const wchar_t* text);
    void HandleUninstallEvent(int32_t code, double value, const wchar_t* text);
    void DeletePackageFiles();
    void StartRemoval();
    PackageSwitches Switches();

    std::unique_ptr<CUnInstaller> unInstaller;
    std::unique_ptr<CDownloader> downloader;
    std::unique_ptr<CInstaller> installer;
    std::wstring url;
    std::wstring uninstallerPath;
    std::wstring packagePath;
    std::wstring recordedInstallPath;
    // The target folder, flags and language, handed to the package driver.
    // Set on the window thread, read by the children's threads.
    std::mutex switchesMutex;
    PackageSwitches switches;
    DownloadCallback callback;

    // The package of the last failed download or finished install, deleted
    // with the next one: shared by every sequence of the process.
    static std::mutex staleMutex;
    static std::wstring stalePackagePath;
};
