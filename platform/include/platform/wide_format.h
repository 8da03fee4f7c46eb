#pragma once

#include <cstdarg>
#include <string>

namespace platform {

// The Windows wide printf (_vsnwprintf with a growing buffer): appends the
// formatted text to `out`. "%ls" takes a wide string, "%hs" a narrow one in
// UTF-8 (the ANSI code page here), whatever the process locale is. False when
// the format or an argument cannot be formatted.
bool AppendFormattedWide(std::wstring& out, const wchar_t* format, va_list args);

}  // namespace platform
