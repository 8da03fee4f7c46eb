#pragma once

namespace platform {

// SetDefaultDllDirectories, SetDllDirectoryW("") and the pre-loading of system
// libraries: false when the system has no search path to restrict (Linux: the
// loader never searches the current folder).
bool RestrictLibrarySearchPath();

}  // namespace platform
