#include "platform/process_lookup.h"

#include <dirent.h>
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <vector>

#include "native_path.h"
#include "platform/file_system.h"

namespace platform {
namespace {

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string ExecutableName(const std::string& procDir) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink((procDir + "/exe").c_str(), buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    std::string_view path(buffer, static_cast<size_t>(length));
    // An executable replaced or removed while it runs.
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.ends_with(kDeleted)) path.remove_suffix(kDeleted.size());
    return std::string(BaseName(path));
}

std::vector<std::string> Arguments(const std::string& procDir) {
    std::string raw;
    std::vector<std::string> arguments;
    if (!ReadWholeFile(WidePath(procDir + "/cmdline"), raw)) return arguments;
    size_t start = 0;
    while (start < raw.size()) {
        size_t end = raw.find('\0', start);
        if (end == std::string::npos) end = raw.size();
        arguments.push_back(raw.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

std::string KernelName(const std::string& procDir) {
    std::string comm;
    if (!ReadWholeFile(WidePath(procDir + "/comm"), comm)) return {};
    if (comm.ends_with('\n')) comm.pop_back();
    return comm;
}

bool Matches(const std::string& procDir, const std::string& name) {
    if (ExecutableName(procDir) == name) return true;
    const std::vector<std::string> arguments = Arguments(procDir);
    if (arguments.empty()) return false;
    if (BaseName(arguments[0]) == name) return true;
    // An interpreter running a script: the script is the argument whose base
    // name starts with the kernel's (15-byte) name of the process.
    const std::string comm = KernelName(procDir);
    if (comm.empty()) return false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view base = BaseName(arguments[i]);
        if (base.starts_with(comm)) return base == name;
    }
    return false;
}

}  // namespace

uint32_t FindProcessByName(const std::wstring& exeName) {
    if (exeName.empty()) return 0;
    const std::string name = NativePath(exeName);
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return 0;
    uint32_t found = 0;
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const unsigned long pid = std::strtoul(entry->d_name, &end, 10);
        if (pid == 0 || *end != '\0') continue;
        if (Matches(std::string("/proc/") + entry->d_name, name)) {
            found = static_cast<uint32_t>(pid);
            break;
        }
    }
    ::closedir(proc);
    return found;
}

}  // namespace platform
