#include "platform/accounts.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "native_path.h"

namespace platform {
namespace {

bool UserNameOf(uid_t uid, std::wstring& name) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return false;
    }
    name = WidePath(found->pw_name);
    return !name.empty();
}

}  // namespace

bool GetConsoleUserName(std::wstring& name) {
    const char* sudoUser = std::getenv("SUDO_USER");
    if (sudoUser != nullptr && *sudoUser != '\0') {
        name = WidePath(sudoUser);
        return true;
    }
    return UserNameOf(::getuid(), name);
}

bool GetEffectiveUserName(std::wstring& name) { return UserNameOf(::geteuid(), name); }

bool IsAdminAccount(const std::wstring& userName) {
    if (userName.empty()) return false;
    const std::string user = NativePath(userName);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return false;
    }
    if (found->pw_uid == 0) return true;
    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    while (::getgrouplist(user.c_str(), found->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
    }
    groups.resize(static_cast<size_t>(count));
    for (const gid_t gid : groups) {
        std::vector<char> groupBuffer(65536);
        group groupEntry{};
        group* groupFound = nullptr;
        if (::getgrgid_r(gid, &groupEntry, groupBuffer.data(), groupBuffer.size(), &groupFound) !=
                0 ||
            !groupFound) {
            continue;
        }
        for (const char* admin : {"sudo", "wheel", "admin"}) {
            if (std::strcmp(groupFound->gr_name, admin) == 0) return true;
        }
    }
    return false;
}

bool IsProcessAdmin() { return ::geteuid() == 0; }

}  // namespace platform
