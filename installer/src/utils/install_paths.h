#pragma once

#include <string>

// Path helpers of the install-location rules. Paths use the native separator;
// a folder the user typed with "\" is normalised to it.
namespace InstallPaths {

// The limit of the install logic (MAX_PATH).
inline constexpr size_t kMaxPath = 260;

// folder + exactly one separator + name.
std::wstring Join(const std::wstring& folder, const std::wstring& name);

// The folder part of a path (without its last component and the separator).
std::wstring FolderOf(const std::wstring& path);

// The last component of a path.
std::wstring FileNameOf(const std::wstring& path);

// Every "\" replaced by the native separator.
std::wstring Normalise(const std::wstring& folderText);

// PathRelativePathTo between two folders gives "." exactly when they name the
// same folder: the same components, ignoring repeated separators, "."
// components and a trailing separator. Empty paths never match.
bool SameFolder(const std::wstring& a, const std::wstring& b);

}  // namespace InstallPaths
