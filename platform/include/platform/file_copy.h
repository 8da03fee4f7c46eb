#pragma once

#include <string_view>

namespace platform {

// CopyFileW: copies the contents and the permission bits. The new file
// appears complete or not at all (a temporary file beside it is renamed).
// With failIfExists an existing target is left alone and the copy fails.
bool CopyFile(std::wstring_view existingFile, std::wstring_view newFile, bool failIfExists);

}  // namespace platform
