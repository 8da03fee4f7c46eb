#pragma once

#include <array>
#include <cstdint>

namespace platform {

// CoCreateGuid: a random version-4 GUID in the Windows field layout.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};
};

// False only when the system's random source fails.
bool CreateGuid(Guid& guid);

}  // namespace platform
