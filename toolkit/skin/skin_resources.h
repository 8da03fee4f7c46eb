#pragma once

#include <string>

namespace Skin {

// The toolkit-wide resource folder, always ending in a separator once set:
// files looked up on disk are taken below it first.
void SetResourceFolder(const std::wstring& folder);
const std::wstring& GetResourceFolder();

// Reads a file the skins name (an image, a skin file) as bytes: a member of
// the opened skin package first, else a file on disk below the resource
// folder, else the name itself as a path (relative to the current folder).
// "\" and "/" both separate folders. False when none has it.
bool ReadSkinResource(const std::wstring& name, std::string& bytes);

// Reads a file on disk whole; false when it cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

}  // namespace Skin
