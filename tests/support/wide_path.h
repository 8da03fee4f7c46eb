#pragma once

#include <filesystem>
#include <string>

#include "platform/text.h"

namespace test_support {

// A path as the installer's wide strings hold it. std::filesystem converts
// through the C locale, which cannot hold non-ASCII names.
inline std::wstring Wide(const std::filesystem::path& path) {
    return platform::MultiByteToWide(path.string(), platform::kCodePageUtf8);
}

}  // namespace test_support
