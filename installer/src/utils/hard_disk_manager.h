#pragma once

#include <cstdint>
#include <string>

namespace Utils {

// The free-space query of a volume, filled by CheckFreeSpace.
class HardDiskManager {
public:
    virtual ~HardDiskManager() = default;

    // GetDiskFreeSpaceEx for the file system that holds `dir` (or its deepest
    // existing folder). False, with the fields unchanged and a trace line,
    // when it cannot be asked.
    bool CheckFreeSpace(const std::wstring& dir);

    uint64_t freeBytesAvailable = 0;
    uint64_t totalNumberOfBytes = 0;
    uint64_t totalNumberOfFreeBytes = 0;
};

// Bytes / 2^30, the figure the low-space check and the failure report use.
inline double GibiBytes(uint64_t bytes) { return static_cast<double>(bytes) / 1073741824.0; }

// An install needs 1 GiB free to the user on the target's file system.
inline bool HasRoomForInstall(uint64_t freeBytesAvailable) {
    return GibiBytes(freeBytesAvailable) >= 1.0;
}

}  // namespace Utils
