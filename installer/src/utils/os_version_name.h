#pragma once

#include <cstdint>
#include <string>

// The short Windows version name for NT version numbers ("7", "XP", "10+",
// "11.2.300" for numbers the table does not know). `serverR2` is what
// GetSystemMetrics(SM_SERVERR2) says; it matters only for 5.2.
std::wstring WindowsVersionName(uint32_t major, uint32_t minor, uint32_t build, bool serverR2);

// The running system's family and version name. On Linux the family is
// "Linux" and the name the kernel release.
void GetOsVersionName(std::wstring& family, std::wstring& name);
