#pragma once

#include <string>

namespace platform {

// A folder in a place that other users can write to (the temporary folder)
// is only safe to run programs from when it is ours alone.

// CreateDirectoryW with a security descriptor that admits only the current
// user: one level, mode 0700.
bool CreatePrivateDirectory(const std::wstring& path);

// The path is a real folder (not a link), owned by the current user, that
// nobody else can write to.
bool IsPrivateDirectory(const std::wstring& path);

}  // namespace platform
