#include "utils/hard_disk_manager.h"

#include <cerrno>

#include "app/debug_log.h"
#include "platform/file_system.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::wstring& dir) {
    errno = 0;
    platform::DiskSpace space;
    if (!platform::GetDiskFreeSpaceEx(dir, space)) {
        DebugLog(L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n", static_cast<long>(errno));
        return false;
    }
    freeBytesAvailable = space.availableToCaller;
    totalNumberOfBytes = space.total;
    totalNumberOfFreeBytes = space.free;
    return true;
}

}  // namespace Utils
