#pragma once

#include <string>
#include <string_view>

namespace platform {

// Code pages as the Windows conversions number them. Code page 0 (the "ANSI"
// code page) and 65001 are UTF-8 here; any other number goes through iconv as
// "CP<n>".
inline constexpr unsigned kCodePageAnsi = 0;
inline constexpr unsigned kCodePageUtf8 = 65001;

// MultiByteToWideChar: bytes that do not decode become U+FFFD. An unknown code
// page yields an empty string.
std::wstring MultiByteToWide(std::string_view text, unsigned codePage);

// WideCharToMultiByte without a default character: characters the code page
// cannot hold are left out. An unknown code page yields an empty string.
std::string WideToMultiByte(std::wstring_view text, unsigned codePage);

// lstrcmpiW(a, b) == 0: equal when compared without regard to case.
bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace platform
