#pragma once

#include <string>

namespace platform {

// The LCTYPE values of GetLocaleInfoA that the tracker asks for.
enum class LocaleInfo {
    Iso639LanguageName,  // LOCALE_SISO639LANGNAME: "zh"
    Iso3166CountryName,  // LOCALE_SISO3166CTRYNAME: "CN"
};

// GetLocaleInfoA(LOCALE_USER_DEFAULT, ...) into a buffer of `bufferSize`
// bytes: false (the call's 0) when the user's locale has no such part or the
// value does not fit. The user's locale is the first non-empty of LC_ALL,
// LC_MESSAGES and LANG, without its ".codeset" and "@modifier"; "zh_CN.UTF-8"
// has the language "zh" and the country "CN", while "C", "POSIX" and a locale
// without "_" have no country.
bool GetUserDefaultLocaleInfo(LocaleInfo type, size_t bufferSize, std::string& value);

}  // namespace platform
