#include "platform/os_version.h"

#include <sys/utsname.h>

#include <cstring>

#include "platform/text.h"

namespace platform {

OsVersionInfo QueryOsVersion() {
    OsVersionInfo info;
    info.family = L"Linux";
    utsname name{};
    if (::uname(&name) == 0) {
        info.versionName = MultiByteToWide(name.release, kCodePageUtf8);
        const char* machine = name.machine;
        info.is64Bit = std::strstr(machine, "64") != nullptr || std::strcmp(machine, "s390x") == 0;
    }
    return info;
}

std::wstring PlatformBitnessName() { return QueryOsVersion().is64Bit ? L"Linux64" : L"Linux32"; }

}  // namespace platform
