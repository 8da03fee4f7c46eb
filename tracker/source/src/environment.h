#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zerra::analytics {

// (family, version name) of the running system, UTF-8: on Linux "Linux" and
// the kernel release, from the platform layer.
std::pair<std::string, std::string> getOsVersionName();

// The Windows version name for the numbers RtlGetNtVersionNumbers gives.
std::string windowsVersionName(unsigned major, unsigned minor, unsigned build, bool is64Bit,
                               bool isServerR2);

// The 64-bit system test.
bool isWow64();

struct Locale {
    std::string language;
    std::string country;
    std::string locale;  // language + "_" + country
};

// The user-default locale; all three empty when either part is unknown.
Locale getSystemLocale();
// "en_US" gives (en, US); a text without "_" gives nothing.
std::optional<std::pair<std::string, std::string>> parseLocale(const std::string& text);
// The locale in use: the tracker's own text when it parses and names a
// language, otherwise the system's.
Locale localeInUse(const std::string& localeText);

// "Mozilla/5.0(<family> <version>; <bitness>;)", e.g. Mozilla/5.0(Linux 6.1.0; Linux64;).
std::string getUserAgent();

// A new device identity: a GUID in upper case, or a Mersenne-twister text
// when the system gives no GUID in ten attempts.
std::string newDistinctId();
std::string fallbackDistinctId();

}  // namespace zerra::analytics
