#include "source/src/environment.h"

#include <cstdio>
#include <random>

#include "platform/guid.h"
#include "platform/locale.h"
#include "platform/os_version.h"
#include "platform/text.h"

namespace zerra::analytics {
namespace {

constexpr size_t kLocaleBufferSize = 16;  // 15 characters and the terminating zero
constexpr int kGuidAttempts = 10;

std::string Utf8(const std::wstring& text) {
    return platform::WideToMultiByte(text, platform::kCodePageUtf8);
}

}  // namespace

std::pair<std::string, std::string> getOsVersionName() {
    const platform::OsVersionInfo info = platform::QueryOsVersion();
    return {Utf8(info.family), Utf8(info.versionName)};
}

std::string windowsVersionName(unsigned major, unsigned minor, unsigned build, bool is64Bit,
                               bool isServerR2) {
    build &= 0xFFFF;
    if (major == 5) {
        if (minor == 0) return "2K";
        if (minor == 1) return "XP";
        if (minor == 2) return is64Bit ? "XP64" : (isServerR2 ? "Server 2003 R2" : "Server 2003");
        return "XP+";
    }
    if (major == 6) {
        if (minor == 0) return is64Bit ? "Vista64" : "Vista";
        if (minor == 1) return is64Bit ? "7" : "7-32";
        if (minor == 2) return is64Bit ? "8" : "8-32";
        if (minor == 3) return "8.1";
        return "8.1+";
    }
    if (major == 10) {
        if (minor != 0) return "11+";
        return build < 22000 ? "10" : "11";
    }
    if (major > 4) {
        return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
    }
    return "XP-";
}

bool isWow64() { return platform::QueryOsVersion().is64Bit; }

Locale getSystemLocale() {
    Locale result;
    if (!platform::GetUserDefaultLocaleInfo(platform::LocaleInfo::Iso639LanguageName,
                                            kLocaleBufferSize, result.language) ||
        !platform::GetUserDefaultLocaleInfo(platform::LocaleInfo::Iso3166CountryName,
                                            kLocaleBufferSize, result.country)) {
        return {};
    }
    result.locale = result.language + "_" + result.country;
    return result;
}

std::optional<std::pair<std::string, std::string>> parseLocale(const std::string& text) {
    const size_t underscore = text.find('_');
    if (underscore == std::string::npos) return std::nullopt;
    return std::pair{text.substr(0, underscore), text.substr(underscore + 1)};
}

Locale localeInUse(const std::string& localeText) {
    Locale result;
    if (!localeText.empty()) {
        if (const auto parts = parseLocale(localeText)) {
            result = {parts->first, parts->second, localeText};
        }
    }
    if (result.language.empty()) result = getSystemLocale();
    return result;
}

std::string getUserAgent() {
    const auto [family, version] = getOsVersionName();
    return "Mozilla/5.0(" + family + " " + version + "; " + Utf8(platform::PlatformBitnessName()) +
           ";)";
}

std::string newDistinctId() {
    for (int attempt = 0; attempt < kGuidAttempts; ++attempt) {
        platform::Guid guid;
        if (!platform::CreateGuid(guid)) continue;
        char text[40];
        std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                      guid.data1, guid.data2, guid.data3, guid.data4[0], guid.data4[1],
                      guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6],
                      guid.data4[7]);
        return text;
    }
    return fallbackDistinctId();
}

std::string fallbackDistinctId() {
    static std::mt19937 engine;  // default seed 5489; used only at tracker start
    std::uniform_int_distribution<uint32_t> draw(0, 2147483646);
    uint32_t values[8];
    for (uint32_t& value : values) value = draw(engine);
    values[3] = (values[3] & 0xFFF) + 0x4000;
    values[4] = values[4] % 16383 + 32768;
    char text[80];
    std::snprintf(text, sizeof text, "%x%x-%x-%x-%x-%x%x%x", values[0], values[1], values[2],
                  values[3], values[4], values[5], values[6], values[7]);
    return text;
}

}  // namespace zerra::analytics
