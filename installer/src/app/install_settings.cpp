#include "app/install_settings.h"

#include <map>

#include "app/setting_values.h"
#include "platform/command_line.h"
#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/profile.h"
#include "utils/os_version_name.h"

namespace {

constexpr wchar_t kSection[] = L"Install";
constexpr wchar_t kRoutePlaceholder[] = L"${ROUTE}";
// The profile readers fill a buffer of this many characters.
constexpr size_t kValueBuffer = 260;

// Built before main and filled from the configuration file, so that every later
// step sees the file's values.
[[maybe_unused]] const InstallSettings& initialisedAtStart = InstallSettings::Instance();

}  // namespace

InstallSettings& InstallSettings::Instance() {
    static InstallSettings settings = [] {
        InstallSettings record;
        record.ReadConfigFile(platform::ModuleFilePath());
        return record;
    }();
    return settings;
}

InstallSettings::InstallSettings()
    : ProductName(L"Brushwell"),
      ProductVersion(L"1.7.9"),
      DlAppNameSuffix(L".downloader"),
      DownloadUrl(ExpandRoute(kDefaultDownloadUrl)),
      DownloadType(1),
      IsCheckNet(false),
      IsEnableAppAnalytics(true),
      DownloadScale(0.7),
      HttpLibraryReady(true),
      Language(0),
      InsNew(false) {}

void InstallSettings::ReadConfigFile(const std::wstring& exePath) {
    const size_t slash = exePath.find_last_of(L'/');
    ExeFileName = slash == std::wstring::npos ? exePath : exePath.substr(slash + 1);
    const std::wstring folder = slash == std::wstring::npos ? L"." : exePath.substr(0, slash);
    const std::wstring path = folder + L"/" + kConfigFileName;
    if (!platform::FileExists(platform::ResolvePathCase(path))) return;

    auto text = [&](const wchar_t* key, const wchar_t* fallback) {
        return platform::GetPrivateProfileString(kSection, key, fallback, kValueBuffer, path);
    };
    DownloadUrl = ExpandRoute(text(L"DownloadUrl", kDefaultDownloadUrl));
    DownloadType = platform::GetPrivateProfileInt(kSection, L"DownloadType", 1, path);
    IsCheckNet = text(L"IsCheckNet", L"true") == L"true";
    IsEnableAppAnalytics = text(L"IsEnableAppAnalytics", L"true") == L"true";
    DlAppNameSuffix = text(L"DlAppNameSuffix", L".downloader");
    DlAppVersion = text(L"m_DlAppVersion", L"");
    AnalyticsUrl = text(L"AnalyticsUrl", L"");
    // Text that is no number counts as 0; a number out of range, or no share
    // of a progress bar, keeps the default.
    double scale = 0;
    const Conversion conversion = ParseDecimalNumber(text(L"DownloadScale", L"0.7"), scale);
    if (conversion == Conversion::NotANumber) {
        DownloadScale = 0.0;
    } else if (conversion == Conversion::Done && IsValidDownloadScale(scale)) {
        DownloadScale = scale;
    }
    InstCmd = text(L"InstCmd", L"");
    ProductName = L"Brushwell";
    ProductVersion = L"1.7.9";
}

void InstallSettings::ReadOptions() {
    ReadOptions(platform::CommandLineToArgv(platform::GetCommandLine()));
}

std::map<std::wstring, std::wstring> CommandLineOptions(
    const std::vector<std::wstring>& arguments) {
    std::map<std::wstring, std::wstring> options;
    for (const std::wstring& argument : arguments) {
        const size_t equals = argument.find(L'=');
        if (argument.starts_with(L'-') && equals != std::wstring::npos) {
            options.emplace(argument.substr(0, equals), argument.substr(equals + 1));
        } else {
            options.emplace(argument, std::wstring());
        }
    }
    return options;
}

void InstallSettings::ReadOptions(const std::vector<std::wstring>& arguments) {
    const std::map<std::wstring, std::wstring> options = CommandLineOptions(arguments);
    auto option = [&](const wchar_t* name) -> const std::wstring* {
        const auto found = options.find(name);
        return found == options.end() ? nullptr : &found->second;
    };
    // Not a number gives 0; a number too large for the field keeps the field.
    auto integer = [](const std::wstring& value, int32_t& field) {
        if (ParseDecimalInteger(value, field) == Conversion::NotANumber) field = 0;
    };

    if (const auto* value = option(L"-downloadurl")) DownloadUrl = ExpandRoute(*value);
    if (const auto* value = option(L"-downloadtype")) integer(*value, DownloadType);
    if (const auto* value = option(L"-downloadscale")) {
        // Only a usable share replaces the current one.
        double scale = 0;
        if (ParseDecimalNumber(*value, scale) == Conversion::Done && IsValidDownloadScale(scale)) {
            DownloadScale = scale;
        }
    }
    if (const auto* value = option(L"-ischecknet")) IsCheckNet = *value == L"true";
    if (const auto* value = option(L"-isenableappanalytics")) {
        IsEnableAppAnalytics = *value == L"true";
    }
    if (const auto* value = option(L"-dlappnamesuffix")) DlAppNameSuffix = *value;
    if (const auto* value = option(L"-dlappversion")) DlAppVersion = *value;
    if (const auto* value = option(L"-instcmd")) InstCmd = *value;
    if (const auto* value = option(L"-language")) integer(*value, Language);
    if (const auto* value = option(L"-insnew")) InsNew = *value == L"true";
}

std::wstring ExpandRoute(const std::wstring& url) {
    if (url.find(kRoutePlaceholder) == std::wstring::npos) return url;
    std::wstring family, name;
    GetOsVersionName(family, name);
    return ExpandRoute(url, name);
}

std::wstring ExpandRoute(const std::wstring& url, const std::wstring& osVersionName) {
    const std::wstring route = osVersionName.find(L"XP") != std::wstring::npos
                                   ? L"download_silent_xp"
                                   : L"download_silent";
    std::wstring expanded = url;
    constexpr size_t kPlaceholderLength = std::char_traits<wchar_t>::length(kRoutePlaceholder);
    // Searching again from the start after each replacement, as the route never
    // holds the placeholder.
    for (size_t at = expanded.find(kRoutePlaceholder); at != std::wstring::npos;
         at = expanded.find(kRoutePlaceholder)) {
        expanded.replace(at, kPlaceholderLength, route);
    }
    return expanded;
}
