#pragma once

#include <cstdint>
#include <string>

// Stateless queries of the machine; each answers with its negative value
// (false, 0, empty) when it cannot be made.

// Whether the operating system is 64-bit.
bool Is64BitWindows();

// A fresh identifier: a new GUID as 32 hexadecimal digits without separators,
// upper case except the third group.
std::wstring NewDeviceId();

// The id of the first process whose image name is exactly `exeName`, 0 when
// none.
uint32_t FindProcessByName(const std::wstring& exeName);

// The user at the console; false when it cannot be learnt.
bool GetConsoleUserName(std::wstring& name);
// Whether the account has administrator rights; false for an empty name.
bool IsAdminAccount(const std::wstring& userName);
// Whether this process runs with administrator rights.
bool IsProcessAdmin();
