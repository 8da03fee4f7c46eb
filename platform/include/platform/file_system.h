#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// GetFileAttributesW != INVALID_FILE_ATTRIBUTES: anything exists at the path.
bool PathExists(const std::wstring& path);
// A regular file (or a link to one) exists at the path.
bool FileExists(const std::wstring& path);
// A folder (or a link to one) exists at the path.
bool FolderExists(const std::wstring& path);

// CreateDirectoryW: creates one folder whose parent exists. False when it
// cannot be made or something already exists at the path.
bool CreateDirectory(const std::wstring& path);

// DeleteFileW: removes one file (not a folder). False when nothing was removed.
bool DeleteFile(const std::wstring& path);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a reader sees the old file or the new one, never
// a mix. An existing file keeps its permissions. False when nothing changed.
bool WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Windows file names are case-insensitive: when `path` itself does not exist,
// the entry of the same folder whose name differs only in case, if any;
// otherwise `path` unchanged.
std::wstring ResolvePathCase(const std::wstring& path);

// GetTempPathW: $TMPDIR, else /tmp, always ending with "/".
std::wstring GetTempPath();

// GetDiskFreeSpaceExW for the file system holding `path`, or its deepest
// existing ancestor when `path` does not exist yet. False when no ancestor can
// be queried.
struct DiskSpace {
    uint64_t availableToCaller = 0;
    uint64_t total = 0;
    uint64_t free = 0;
};
bool GetDiskFreeSpaceEx(const std::wstring& path, DiskSpace& space);

}  // namespace platform
