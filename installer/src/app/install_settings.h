#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The process-wide settings record: built-in defaults, then the configuration
// file "ZerraInstallerConfig.ini" beside the executable, then the command-line
// options, each later source overriding the earlier one field by field. It is
// written on the main thread before any worker exists and only read afterwards.
class InstallSettings {
public:
    static constexpr wchar_t kConfigFileName[] = L"ZerraInstallerConfig.ini";
    static constexpr wchar_t kDefaultDownloadUrl[] = L"http://dl.zerrasoft.com/software/351";

    // The process-wide record, built and filled from the configuration file
    // during static initialisation.
    static InstallSettings& Instance();

    // Defaults only; neither file nor command line is read.
    InstallSettings();

    // Reads the configuration file beside `exePath` (full path of the running
    // executable) and takes the executable's file name.
    void ReadConfigFile(const std::wstring& exePath);
    // Lays the options of `arguments` (the split command line, program path
    // first) over the record.
    void ReadOptions(const std::vector<std::wstring>& arguments);
    // The same for this process's own command line.
    void ReadOptions();

    std::wstring ProductName;
    std::wstring ProductVersion;
    std::wstring ExeFileName;
    std::wstring DlAppNameSuffix;
    std::wstring DlAppVersion;
    std::wstring InstCmd;
    std::wstring DownloadUrl;
    int32_t DownloadType;
    bool IsCheckNet;
    bool IsEnableAppAnalytics;
    double DownloadScale;
    bool HttpLibraryReady;
    int32_t Language;
    bool InsNew;
    // The analytics collection endpoint ("AnalyticsUrl"); empty means the
    // tracker's own default.
    std::wstring AnalyticsUrl;
};

// The options of a split command line (program path first) as key to value:
// "-name=value" gives "-name" and "value", any other argument itself and an
// empty value. The first occurrence of a key wins.
std::map<std::wstring, std::wstring> CommandLineOptions(const std::vector<std::wstring>& arguments);

// Replaces every "${ROUTE}" in `url` with the download route of the running
// system: "download_silent_xp" when its version name contains "XP", else
// "download_silent".
std::wstring ExpandRoute(const std::wstring& url);
// The same for a given version name.
std::wstring ExpandRoute(const std::wstring& url, const std::wstring& osVersionName);
