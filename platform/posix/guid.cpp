#include "platform/guid.h"

#include <sys/random.h>

#include <cstring>

namespace platform {

bool CreateGuid(Guid& guid) {
    uint8_t bytes[16];
    size_t filled = 0;
    while (filled < sizeof bytes) {
        const ssize_t got = ::getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got <= 0) return false;
        filled += static_cast<size_t>(got);
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    guid.data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
                 (uint32_t{bytes[2]} << 8) | bytes[3];
    guid.data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
    guid.data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
    std::memcpy(guid.data4.data(), bytes + 8, 8);
    return true;
}

}  // namespace platform
