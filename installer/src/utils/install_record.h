#pragma once

#include <string>

// The registry record of an installed copy: key "Software\ZerraSoft\Brushwell"
// of the current user, REG_SZ values "InstallPath" and "UnInstallEp".
inline constexpr wchar_t kInstallRecordKey[] = L"Software\\ZerraSoft\\Brushwell";

// Creates or opens the key and sets the value; true when it was set.
bool WriteRegistryValue(const std::wstring& name, const std::wstring& text);

// True and the text when the key and a string value of that name exist.
bool ReadRegistryValue(const std::wstring& name, std::wstring& text);
