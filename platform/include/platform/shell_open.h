#pragma once

#include <string>

namespace platform {

// ShellExecuteW with the verb "open": a program file (a file named *.exe is
// made runnable first) is started directly, detached in a session of its own,
// with `directory` as its current folder when one is given; anything else (an
// address, a document) goes to xdg-open. Returns at once; false when nothing
// could be started.
bool ShellOpen(const std::wstring& file, const std::wstring& directory = {});

}  // namespace platform
