#pragma once

#include <string>

namespace zerra::analytics {

// Where the tracker keeps its files; the data directory ends with "/".
struct ConfigurationPaths {
    std::string dataDirectory;
    std::string configurationFile;
    std::string logFile;
};

// The device and user identity, persisted in the configuration file.
struct IdentityState {
    bool isLogined = false;
    std::string UserId;
    std::string DistinctId;
    std::string PrimaryDistinctId;
    int UserVipLevel = 0;
    std::string URL;  // the endpoint used last
};

// The configuration file named by "ZRAnalyticsIni" in section "Install" of
// "Set.ini" in the executable's folder, or <local data>/ZRLocal/<appName>/
// <appName>_ZRSConfigure.ini; the data directory is created level by level.
ConfigurationPaths locateConfiguration(const std::string& appName);
// The same, looking for Set.ini in `executableFolder`.
ConfigurationPaths locateConfiguration(const std::string& appName,
                                       const std::string& executableFolder);

// Creates every missing level of `directory`; stops at the first that fails.
void createDirectories(const std::string& directory);

// Reads section "Base"; a missing DistinctId is made anew and saved.
IdentityState loadIdentity(const std::string& configurationFile);
void saveIdentity(const std::string& configurationFile, const IdentityState& identity);
void writeUninstallInfo(const std::string& configurationFile, const std::string& appStore,
                        const std::string& appName, const std::string& appVersion);

// An identity stored for another endpoint starts over from the primary
// distinct id, logged out, and is saved with the endpoint now in use.
void applyEndpoint(const std::string& configurationFile, const std::string& endpoint,
                   IdentityState& identity);

}  // namespace zerra::analytics
