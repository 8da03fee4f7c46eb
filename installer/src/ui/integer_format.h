#pragma once

#include <optional>
#include <string>

// Formats a pattern taken from a skin ("%.3d.png", "正在安装中:%d%%...") with
// one integer. The pattern may hold exactly one integer conversion (flags,
// width, precision, d i u o x X) and any number of "%%"; anything else is
// refused, so a skin can never make the formatter read a missing argument.
// The result is cut to `bufferChars` - 1 characters, as a fixed buffer would.
std::optional<std::wstring> FormatIntegerPattern(const std::wstring& pattern, int value,
                                                 size_t bufferChars);
