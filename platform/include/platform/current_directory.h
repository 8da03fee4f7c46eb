#pragma once

#include <string>

namespace platform {

// GetCurrentDirectoryW; empty when it cannot be learnt.
std::wstring GetCurrentDirectory();

}  // namespace platform
