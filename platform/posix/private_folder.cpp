#include "platform/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/text.h"

namespace platform {

bool CreatePrivateDirectory(const std::wstring& path) {
    const std::string native = WideToMultiByte(path, kCodePageAnsi);
    return !native.empty() && mkdir(native.c_str(), 0700) == 0;
}

bool IsPrivateDirectory(const std::wstring& path) {
    const std::string native = WideToMultiByte(path, kCodePageAnsi);
    struct stat info;
    if (native.empty() || lstat(native.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 022) == 0;
}

}  // namespace platform
