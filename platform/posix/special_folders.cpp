#include "platform/special_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "capture_output.h"
#include "native_path.h"
#include "platform/accounts.h"

namespace platform {
namespace {

bool HomeFolder(std::wstring& path) {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/') {
        path = WidePath(home);
        return true;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        found->pw_dir[0] != '/') {
        return false;
    }
    path = WidePath(found->pw_dir);
    return true;
}

// An XDG folder variable when it holds an absolute path, else the home folder
// with `fallback` below it.
bool XdgFolder(const char* variable, const wchar_t* fallback, std::wstring& path) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value == '/') {
        path = WidePath(value);
        return true;
    }
    if (!HomeFolder(path)) return false;
    path += fallback;
    return true;
}

bool DesktopFolder(std::wstring& path) {
    std::string output;
    if (CaptureProgramOutput({"xdg-user-dir", "DESKTOP"}, output)) {
        while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
            output.pop_back();
        }
        if (output.starts_with('/')) {
            path = WidePath(output);
            return true;
        }
    }
    if (!HomeFolder(path)) return false;
    path += L"/Desktop";
    return true;
}

}  // namespace

bool GetConfigFolder(std::wstring& path) { return XdgFolder("XDG_CONFIG_HOME", L"/.config", path); }

bool GetSpecialFolderPath(SpecialFolder folder, std::wstring& path) {
    const bool root = ::geteuid() == 0;
    switch (folder) {
        case SpecialFolder::AppData:
        case SpecialFolder::LocalAppData:
            return XdgFolder("XDG_DATA_HOME", L"/.local/share", path);
        case SpecialFolder::ProgramFiles:
        case SpecialFolder::ProgramFilesX86:
            if (root) {
                path = L"/opt";
                return true;
            }
            if (!HomeFolder(path)) return false;
            path += L"/.local/opt";
            return true;
        case SpecialFolder::CommonDocuments:
            if (root) {
                path = L"/var/lib";
                return true;
            }
            return XdgFolder("XDG_DATA_HOME", L"/.local/share", path);
        case SpecialFolder::Desktop:
            return DesktopFolder(path);
    }
    return false;
}

bool GetAppDataVariable(std::wstring& path) {
    std::wstring console, effective;
    if (!GetConsoleUserName(console) || !GetEffectiveUserName(effective) || console != effective) {
        return false;
    }
    return GetSpecialFolderPath(SpecialFolder::AppData, path);
}

}  // namespace platform
