#include "utils/install_location.h"

#include <cwchar>

#include "platform/file_system.h"
#include "platform/local_time.h"
#include "platform/process_info.h"
#include "platform/profile.h"
#include "platform/special_folders.h"
#include "utils/environment_probes.h"
#include "utils/install_folders.h"
#include "utils/install_paths.h"
#include "utils/install_record.h"

namespace {

constexpr wchar_t kProductName[] = L"Brushwell";
constexpr wchar_t kUninstallerFile[] = L"uninst.ep";
constexpr wchar_t kSettingsFile[] = L"set.ini";
constexpr wchar_t kAnalyticsMarkerFile[] = L"ZRAnalytics.ini";

std::wstring FormatLocalTime() {
    const platform::LocalTime now = platform::GetLocalTime();
    wchar_t text[64];
    std::swprintf(text, 64, L"%d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    return text;
}

}  // namespace

std::wstring InstallLocation::GetDefaultInstallDir() {
    const std::wstring recorded = recordedInstallPath;
    std::wstring consoleUser;
    consoleUserIsAdmin =
        GetConsoleUserName(consoleUser) && IsAdminAccount(consoleUser);
    processIsAdmin = IsProcessAdmin();
    if (!recorded.empty() && platform::FileExists(recordedUninstEp)) return recorded;

    std::wstring base;
    std::wstring appData;
    if (consoleUserIsAdmin && processIsAdmin && platform::GetAppDataVariable(appData) &&
        appData.size() <= InstallPaths::kMaxPath) {
        base = InstallPaths::Join(appData, L"zerra");
    } else if (!platform::GetSpecialFolderPath(platform::SpecialFolder::ProgramFilesX86, base) &&
               !platform::GetSpecialFolderPath(platform::SpecialFolder::ProgramFiles, base)) {
        return {};  // no folder to offer: the install request then fails as an invalid path
    }
    return InstallPaths::Join(base, kProductName);
}

bool InstallLocation::IsDefaultInstallDir(const std::wstring& dir) {
    return InstallPaths::SameFolder(GetDefaultInstallDir(), dir);
}

std::wstring InstallLocation::CustomInstallDir(const std::wstring& folderText) {
    if (IsDefaultInstallDir(folderText)) return GetDefaultInstallDir();
    return InstallPaths::Join(InstallPaths::Normalise(folderText), kProductName);
}

bool InstallLocation::IsOverrideDisabled(const std::wstring& dir) const {
    if (!InstallPaths::SameFolder(recordedInstallPath, dir)) return false;
    const std::wstring value = platform::GetPrivateProfileString(
        L"Uninstall", L"IsOverride", L"true", 21, InstallPaths::Join(dir, kSettingsFile));
    return value == L"false";
}

void InstallLocation::ReadInstallRecord() {
    recordedInstallPath.clear();
    recordedUninstEp.clear();
    ReadRegistryValue(L"InstallPath", recordedInstallPath);
    ReadRegistryValue(L"UnInstallEp", recordedUninstEp);
    if (recordedUninstEp.empty() && !recordedInstallPath.empty()) {
        recordedUninstEp = InstallPaths::Join(recordedInstallPath, kUninstallerFile);
    }
}

void InstallLocation::WriteInstallRecord() const {
    WriteRegistryValue(L"InstallPath", installDir);
    const std::wstring uninstaller =
        uninstEp.empty() ? InstallPaths::Join(installDir, kUninstallerFile) : uninstEp;
    if (platform::FileExists(uninstaller)) WriteRegistryValue(L"UnInstallEp", uninstaller);
}

void InstallLocation::WriteInstallIni() const {
    const std::wstring ini = InstallPaths::Join(installDir, kSettingsFile);
    const std::wstring installerName = InstallPaths::FileNameOf(platform::ModuleFilePath());
    platform::WritePrivateProfileString(L"Install", L"APPStore", installerName, ini);
    platform::WritePrivateProfileString(L"Install", L"AppName", kProductName, ini);
    platform::WritePrivateProfileString(L"Install", L"DeviceID", NewDeviceId(), ini);

    const std::wstring dataDir = GetAnalyticsDataDir();
    if (!CreateDirectoryTree(dataDir)) return;
    const std::wstring marker = InstallPaths::Join(dataDir, kAnalyticsMarkerFile);
    platform::WritePrivateProfileString(L"Install", L"ZRAnalyticsIni", marker, ini);
    platform::WritePrivateProfileString(L"Init", L"UpdateTime", FormatLocalTime(), marker);
}
