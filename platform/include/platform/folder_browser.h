#pragma once

#include <string>

#include "platform/window.h"

namespace platform {

// SHBrowseForFolderW with BIF_NEWDIALOGSTYLE and no root, then
// SHGetPathFromIDListW: zenity's or kdialog's folder chooser (whichever is
// installed, started with an argument vector, no shell), modal for the
// calling thread. True with the chosen folder; false when the user cancelled
// or no chooser is installed.
bool BrowseForFolder(HWND owner, const std::wstring& title, std::wstring& folder);

}  // namespace platform
