#include "source/src/identity.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/profile.h"
#include "platform/special_folders.h"
#include "platform/text.h"
#include "source/src/environment.h"

namespace zerra::analytics {
namespace {

constexpr size_t kValueBufferSize = 128;  // values of at most 127 bytes
constexpr wchar_t kBase[] = L"Base";

std::wstring Wide(const std::string& text) {
    return platform::MultiByteToWide(text, platform::kCodePageAnsi);
}

std::string Narrow(const std::wstring& text) {
    return platform::WideToMultiByte(text, platform::kCodePageAnsi);
}

std::string ReadValue(const std::wstring& section, const wchar_t* key, const std::string& file) {
    return Narrow(
        platform::GetPrivateProfileString(section, key, L"", kValueBufferSize, Wide(file)));
}

void WriteValue(const wchar_t* section, const wchar_t* key, const std::string& value,
                const std::string& file) {
    // A file that cannot be written leaves the identity in memory only.
    platform::WritePrivateProfileString(section, key, Wide(value), Wide(file));
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

void createDirectories(const std::string& directory) {
    for (size_t next = directory.find('/', 1); next != std::string::npos;
         next = directory.find('/', next + 1)) {
        const std::wstring level = Wide(directory.substr(0, next));
        if (!platform::FolderExists(level) && !platform::CreateDirectory(level)) return;
    }
    const std::wstring whole = Wide(directory);
    if (!directory.ends_with('/') && !platform::FolderExists(whole)) {
        platform::CreateDirectory(whole);
    }
}

ConfigurationPaths locateConfiguration(const std::string& appName) {
    return locateConfiguration(appName, FolderOf(Narrow(platform::ModuleFilePath())));
}

ConfigurationPaths locateConfiguration(const std::string& appName,
                                       const std::string& executableFolder) {
    std::string override =
        ReadValue(L"Install", L"ZRAnalyticsIni",
                  executableFolder + (executableFolder.ends_with('/') ? "" : "/") + "Set.ini");
    // The Windows text may use either separator; here the native one is "/".
    std::replace(override.begin(), override.end(), '\\', '/');
    ConfigurationPaths paths;
    if (override.find('/') == std::string::npos) {
        std::wstring base;
        platform::GetSpecialFolderPath(platform::SpecialFolder::LocalAppData, base);
        std::string folder = Narrow(base);
        if (!folder.ends_with('/')) folder += '/';
        paths.dataDirectory = folder + "ZRLocal/" + appName + "/";
        paths.configurationFile = paths.dataDirectory + appName + "_ZRSConfigure.ini";
    } else {
        paths.configurationFile = override;
        paths.dataDirectory = FolderOf(override);
    }
    createDirectories(paths.dataDirectory);
    paths.logFile = paths.dataDirectory + appName + "_ZRSLog.txt";
    return paths;
}

IdentityState loadIdentity(const std::string& configurationFile) {
    IdentityState identity;
    if (platform::FileExists(Wide(configurationFile))) {
        identity.DistinctId = ReadValue(kBase, L"DistinctId", configurationFile);
        identity.PrimaryDistinctId = ReadValue(kBase, L"PrimaryDistinctId", configurationFile);
        if (identity.PrimaryDistinctId.empty()) identity.PrimaryDistinctId = identity.DistinctId;
        identity.UserId = ReadValue(kBase, L"UserId", configurationFile);
        identity.UserVipLevel =
            platform::GetPrivateProfileInt(kBase, L"UserVipLevel", 0, Wide(configurationFile));
        identity.isLogined = ReadValue(kBase, L"isLogined", configurationFile) == "OK";
        identity.URL = ReadValue(kBase, L"URL", configurationFile);
    }
    if (identity.DistinctId.empty()) {
        identity.DistinctId = newDistinctId();
        saveIdentity(configurationFile, identity);
    }
    return identity;
}

void saveIdentity(const std::string& configurationFile, const IdentityState& identity) {
    WriteValue(kBase, L"DistinctId", identity.DistinctId, configurationFile);
    WriteValue(kBase, L"PrimaryDistinctId", identity.PrimaryDistinctId, configurationFile);
    WriteValue(kBase, L"UserId", identity.UserId, configurationFile);
    WriteValue(kBase, L"UserVipLevel", std::to_string(identity.UserVipLevel), configurationFile);
    WriteValue(kBase, L"URL", identity.URL, configurationFile);
    WriteValue(kBase, L"isLogined", identity.isLogined ? "OK" : "NG", configurationFile);
}

void writeUninstallInfo(const std::string& configurationFile, const std::string& appStore,
                        const std::string& appName, const std::string& appVersion) {
    WriteValue(L"UninstallInfo", L"AppStore", appStore, configurationFile);
    WriteValue(L"UninstallInfo", L"AppName", appName, configurationFile);
    WriteValue(L"UninstallInfo", L"AppVersion", appVersion, configurationFile);
}

void applyEndpoint(const std::string& configurationFile, const std::string& endpoint,
                   IdentityState& identity) {
    if (identity.URL != endpoint || identity.DistinctId.empty()) {
        identity.UserId.clear();
        identity.isLogined = false;
        if (identity.PrimaryDistinctId.empty()) {
            identity.DistinctId = newDistinctId();
            identity.PrimaryDistinctId = identity.DistinctId;
        } else {
            identity.DistinctId = identity.PrimaryDistinctId;
        }
        identity.URL = endpoint;
        saveIdentity(configurationFile, identity);
    }
    if (identity.UserId.empty()) identity.isLogined = false;
}

}  // namespace zerra::analytics
