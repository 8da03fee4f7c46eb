#pragma once

#include <string>

namespace platform {

// What the version query reports for this system: on Linux the family
// "Linux" and the kernel release as the version name.
struct OsVersionInfo {
    std::wstring family;
    std::wstring versionName;
    bool is64Bit = false;
};

OsVersionInfo QueryOsVersion();

// "Linux64" or "Linux32", where the Windows texts say "Win64" or "Win32".
std::wstring PlatformBitnessName();

}  // namespace platform
