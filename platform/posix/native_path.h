#pragma once

#include <string>

#include "platform/text.h"

namespace platform {

// Paths are wide in the interface and UTF-8 bytes for the kernel.
inline std::string NativePath(const std::wstring& path) {
    return WideToMultiByte(path, kCodePageUtf8);
}

inline std::wstring WidePath(const std::string& path) {
    return MultiByteToWide(path, kCodePageUtf8);
}

}  // namespace platform
