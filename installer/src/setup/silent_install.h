#pragma once

#include <string>
#include <vector>

// Exit codes of a silent install (0 is a finished install; 1 and 255 belong
// to start-up).
inline constexpr int kSilentInstalled = 0;
inline constexpr int kSilentProductRunning = 2;
inline constexpr int kSilentInvalidPath = 3;
inline constexpr int kSilentLowDiskSpace = 4;
inline constexpr int kSilentNoNetwork = 5;
inline constexpr int kSilentDownloadFailed = 6;
inline constexpr int kSilentInstallFailed = 7;
inline constexpr int kSilentRemovalFailed = 8;

// The option -silent with the value "true" among the split command line
// (the first occurrence of an option counts).
bool IsSilentRequested(const std::vector<std::wstring>& arguments);

// The install without a window: the one-click folder, or with -installdir=FOLDER
// the folder CustomInstallDir gives for it; both shortcuts. Returns the exit code.
int RunSilentInstall(const std::vector<std::wstring>& arguments);
