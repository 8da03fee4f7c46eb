#pragma once

#include <string>

namespace platform {

// The folders SHGetFolderPathW gives for these CSIDL values.
enum class SpecialFolder {
    AppData,          // CSIDL_APPDATA: $XDG_DATA_HOME, default ~/.local/share
    LocalAppData,     // CSIDL_LOCAL_APPDATA: the same
    ProgramFiles,     // CSIDL_PROGRAM_FILES: /opt for root, else ~/.local/opt
    ProgramFilesX86,  // CSIDL_PROGRAM_FILESX86: the same
    CommonDocuments,  // CSIDL_COMMON_DOCUMENTS: /var/lib for root, else $XDG_DATA_HOME
    Desktop,          // CSIDL_DESKTOPDIRECTORY: `xdg-user-dir DESKTOP`, else ~/Desktop
};

// SHGetFolderPathW: false when the folder cannot be named (no home folder).
// The folder need not exist.
bool GetSpecialFolderPath(SpecialFolder folder, std::wstring& path);

// GetEnvironmentVariableW(L"APPDATA"): the application-data folder, readable
// only when the process runs as the console user itself (not under sudo).
bool GetAppDataVariable(std::wstring& path);

// The per-user configuration folder: $XDG_CONFIG_HOME, default ~/.config.
bool GetConfigFolder(std::wstring& path);

}  // namespace platform
