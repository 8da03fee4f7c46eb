#include "setup/download_installer.h"

#include <chrono>
#include <thread>

#include "app/debug_log.h"
#include "app/install_settings.h"
#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "utils/environment_probes.h"
#include "utils/install_folders.h"
#include "utils/install_paths.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kPackageFileName[] = L"__Package_Brushwell.exe";
constexpr wchar_t kUninstallerCopyName[] = L"Brushwell_un_asa.exe";
constexpr wchar_t kProductExe[] = L"Brushwell.exe";

}  // namespace

std::mutex CDownloadInstaller::staleMutex;
std::wstring CDownloadInstaller::stalePackagePath;

CDownloadInstaller::CDownloadInstaller(DownloadCallback callback, std::wstring url,
                                       std::wstring uninstallerPath, std::wstring installDir,
                                       bool desktopShortcut, bool quickLaunchShortcut,
                                       bool adminAct)
    : url(std::move(url)),
      uninstallerPath(std::move(uninstallerPath)),
      switches{std::move(installDir), desktopShortcut, quickLaunchShortcut, adminAct, false, L""},
      callback(std::move(callback)) {}

CDownloadInstaller::~CDownloadInstaller() {
    // In the order of the chain: a removal thread may still start the
    // download, and a download thread the package.
    unInstaller.reset();
    downloader.reset();
    installer.reset();
}

void CDownloadInstaller::SetParams(const std::wstring& url, const std::wstring& recordedInstallPath,
                                   const std::wstring& uninstallerPath,
                                   const std::wstring& installDir, bool desktopShortcut,
                                   bool quickLaunchShortcut, bool adminAct, bool authorizationAct,
                                   const std::wstring& installLanguage) {
    this->url = url;
    this->recordedInstallPath = recordedInstallPath;
    this->uninstallerPath = uninstallerPath;
    std::lock_guard lock(switchesMutex);
    switches = {installDir, desktopShortcut,  quickLaunchShortcut,
                adminAct,   authorizationAct, installLanguage};
}

std::wstring CDownloadInstaller::PackagePath() {
    return InstallPaths::Join(Switches().installDir, kPackageFileName);
}

void CDownloadInstaller::Start() {
    {
        // The end of an earlier sequence may still be deleting its package.
        std::lock_guard lock(staleMutex);
        packagePath = PackagePath();
    }
    const InstallSettings& settings = InstallSettings::Instance();
    DebugLog(L"DL_TYPE=%d\r\n", settings.DownloadType);
    if (!downloader) {
        downloader = CreateDownloader(
            settings.DownloadType,
            [this](int32_t code, double value, const wchar_t* text) {
                HandleDownloadEvent(code, value, text);
            },
            url, packagePath);
    }
    if (!installer) {
        installer = std::make_unique<CInstaller>(
            [this](int32_t code, double value, const wchar_t* text) {
                HandlePackageEvent(code, value, text);
            },
            L"\"" + packagePath + L"\"", Switches().installDir);
    }
    installer->Configure(Switches());
    if (platform::FileExists(uninstallerPath)) {
        StartRemoval();
    } else {
        downloader->Start();
    }
}

PackageSwitches CDownloadInstaller::Switches() {
    std::lock_guard lock(switchesMutex);
    return switches;
}

void CDownloadInstaller::StartRemoval() {
    const std::wstring workDir = GetTempWorkDir();
    const std::wstring copyPath =
        workDir.empty() ? std::wstring() : InstallPaths::Join(workDir, kUninstallerCopyName);
    const std::wstring oldDir = InstallPaths::FolderOf(uninstallerPath);
    // A failed copy shows as a missing file to the removal driver.
    if (!copyPath.empty() && !platform::CopyFile(uninstallerPath, copyPath, false)) {
        DebugLog(L"cannot copy %ls to %ls\r\n", uninstallerPath.c_str(), copyPath.c_str());
    }
    unInstaller = std::make_unique<CUnInstaller>(
        [this](int32_t code, double value, const wchar_t* text) {
            HandleUninstallEvent(code, value, text);
        },
        copyPath, oldDir);
    if (InstallSettings::Instance().InsNew) {
        while (FindProcessByName(kProductExe) != 0) std::this_thread::sleep_for(100ms);
    }
    unInstaller->Start();
}

void CDownloadInstaller::HandleDownloadEvent(int32_t code, double value, const wchar_t* text) {
    callback(code, value, text);
    switch (code) {
        case DL_CODE_START:
            CreateDirectoryTree(Switches().installDir);
            DebugLog(L"DL_CODE_START\r\n");
            break;
        case DL_CODE_PROGRESS:
            DebugLog(L"DL_CODE_PROGRESS\r\n");
            break;
        case DL_CODE_SUCCESS:
            DebugLog(L"DOWNLOAD_SUCCESS\r\n");
            if (installer) installer->Start();
            DebugLog(L"DL_CODE_SUCCESS\r\n");
            break;
        case DL_CODE_FAIL:
            DeletePackageFiles();
            DebugLog(L"DL_CODE_FAIL\r\n");
            break;
        case DL_CODE_RETRY:
            DebugLog(L"DL_CODE_RETRY\r\n");
            if (downloader) downloader->Start();  // none while the chain is torn down
            break;
        default:
            break;
    }
}

void CDownloadInstaller::HandleUninstallEvent(int32_t code, double value, const wchar_t* text) {
    callback(code, value, text);
    switch (code) {
        case UNIST_CODE_PROGRESS:
            DebugLog(L"UNIST_CODE_PROGRESS\r\n");
            break;
        case UNIST_CODE_SUCCESS:
            DebugLog(L"UNIST_CODE_SUCCESS\r\n");
            if (installer && downloader) downloader->Start();
            break;
        case UNIST_CODE_FAIL:
            DebugLog(L"UNIST_CODE_FAIL\r\n");
            break;
        case UNIST_CODE_ERROR:
            DebugLog(L"UNIST_CODE_ERROR\r\n");
            break;
        default:
            break;
    }
}

void CDownloadInstaller::HandlePackageEvent(int32_t code, double value, const wchar_t* text) {
    callback(code, value, text);
    switch (code) {
        case IST_CODE_START:
            DebugLog(L"IST_CODE_START\r\n");
            break;
        case IST_CODE_SUCCESS:
            DeletePackageFiles();
            DebugLog(L"INSTALL_SUCCESS\r\n");
            break;
        case IST_CODE_FAIL:
            DeletePackageFiles();
            DebugLog(L"IST_CODE_FAIL\r\n");
            break;
        default:
            break;
    }
}

void CDownloadInstaller::DeletePackageFiles() {
    std::lock_guard lock(staleMutex);
    platform::DeleteFile(packagePath);
    if (!stalePackagePath.empty()) platform::DeleteFile(stalePackagePath);
    stalePackagePath = packagePath;
}
