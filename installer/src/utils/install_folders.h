#pragma once

#include <string>

// The folders that the install creates and uses besides the install folder.

// Creates `path` and every missing folder above it, from the top down.
// False for an empty path, one longer than 260 characters, or when a level
// cannot be created; folders that exist already are no error.
bool CreateDirectoryTree(const std::wstring& path);

// The temporary work folder "~ZerraTemp.E5D1730C4A9F2B68" in the temporary
// folder, ending with a separator, created (one level, private) if missing.
// Empty when it can be neither found nor created, or when a folder of that
// name exists that is not ours alone: a program is run from it.
std::wstring GetTempWorkDir();

// APPDATA (or, when it cannot be read, the shared documents folder) joined
// with "ZerraData" and "Brushwell".
std::wstring GetAnalyticsDataDir();
