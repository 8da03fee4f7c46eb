#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ui_test {

// A 7z archive holding these members (name, bytes), as the skin packages are.
std::vector<uint8_t> SevenZipPackage(
    const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace ui_test
