#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The Windows profile (INI) functions. Section and key names compare without
// regard to case and the first match wins; a value loses its surrounding white
// space and one pair of matching quotes. Files are read as UTF-8 (a UTF-8 or
// UTF-16LE byte-order mark is honoured). When the file does not exist under
// its exact name, a file of the same folder whose name differs only in case is
// used instead.

// GetPrivateProfileStringW into a buffer of `bufferSize` characters: the value
// (or `defaultValue` when the file, the section or the key is missing), cut to
// bufferSize - 1 characters.
std::wstring GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view defaultValue, size_t bufferSize,
                                     const std::wstring& fileName);

// GetPrivateProfileIntW: `defaultValue` when the key is missing or empty;
// otherwise the number the value begins with (white space, a sign, an optional
// 0x/0o/0b prefix, digits), wrapping around like the Windows reader, and 0 when
// it begins with no digit.
int GetPrivateProfileInt(std::wstring_view section, std::wstring_view key, int defaultValue,
                         const std::wstring& fileName);

// WritePrivateProfileStringW: sets key=value, creating the file and the
// section as needed; no value deletes the key, no key deletes the whole
// section. The file is replaced atomically. False when the file cannot be
// written or a name or value would break the file's lines (a line break, "="
// in a key, "]" in a section name).
bool WritePrivateProfileString(std::wstring_view section, std::optional<std::wstring_view> key,
                               std::optional<std::wstring_view> value,
                               const std::wstring& fileName);

}  // namespace platform
