#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// The resources linked into the executable, found as FindResourceW finds them in
// the program's own module: by numeric id and type name (the type compared
// ignoring ASCII case). Their bytes stay valid for the life of the process.
struct ResourceEntry;
using ResourceHandle = const ResourceEntry*;

inline constexpr std::wstring_view kResourceTypeSkinPackage = L"ZIPRES";
inline constexpr unsigned kSkinPackageResourceId = 147;
inline constexpr std::wstring_view kResourceTypeIcon = L"ICON";
inline constexpr unsigned kWindowIconResourceId = 145;

// FindResourceW: null when the module has no such resource.
ResourceHandle FindResource(unsigned id, std::wstring_view type);

// LoadResource followed by LockResource: the first byte, null for a null handle.
const void* LoadResource(ResourceHandle resource);

// SizeofResource: the size in bytes, 0 for a null handle.
uint32_t SizeofResource(ResourceHandle resource);

}  // namespace platform
