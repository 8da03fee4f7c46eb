#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "native_path.h"

namespace platform {
namespace {

bool StatPath(const std::wstring& path, struct stat& info) {
    return !path.empty() && ::stat(NativePath(path).c_str(), &info) == 0;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The process's umask, read without changing it (umask() would, for a moment,
// for every thread).
mode_t CurrentUmask() {
    std::string status;
    if (ReadWholeFile(L"/proc/self/status", status)) {
        const size_t at = status.find("\nUmask:");
        if (at != std::string::npos) {
            return static_cast<mode_t>(std::strtoul(status.c_str() + at + 7, nullptr, 8));
        }
    }
    return 022;
}

std::wstring ParentOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'/');
    if (slash == std::wstring::npos) return L".";
    if (slash == 0) return L"/";
    return path.substr(0, slash);
}

}  // namespace

bool PathExists(const std::wstring& path) {
    struct stat info {};
    return StatPath(path, info);
}

bool FileExists(const std::wstring& path) {
    struct stat info {};
    return StatPath(path, info) && S_ISREG(info.st_mode);
}

bool FolderExists(const std::wstring& path) {
    struct stat info {};
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

bool CreateDirectory(const std::wstring& path) {
    return !path.empty() && ::mkdir(NativePath(path).c_str(), 0777) == 0;
}

bool DeleteFile(const std::wstring& path) {
    if (FolderExists(path)) return false;
    return !path.empty() && ::unlink(NativePath(path).c_str()) == 0;
}

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    if (target.empty()) return false;
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                                                               : 0666 & ~CurrentUmask();
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bytes.clear();
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return ok;
}

std::wstring ResolvePathCase(const std::wstring& path) {
    if (path.empty() || PathExists(path)) return path;
    const std::wstring folder = ParentOf(path);
    const std::wstring name = path.substr(path.find_last_of(L'/') + 1);
    DIR* dir = ::opendir(NativePath(folder).c_str());
    if (dir == nullptr) return path;
    std::wstring found = path;
    while (const dirent* entry = ::readdir(dir)) {
        const std::wstring candidate = WidePath(entry->d_name);
        if (EqualIgnoringCase(candidate, name)) {
            found = (folder == L"/" ? L"" : folder) + L"/" + candidate;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::wstring GetTempPath() {
    const char* tmp = std::getenv("TMPDIR");
    std::wstring path = tmp != nullptr && *tmp != '\0' ? WidePath(tmp) : L"/tmp";
    if (!path.ends_with(L'/')) path += L'/';
    return path;
}

bool GetDiskFreeSpaceEx(const std::wstring& path, DiskSpace& space) {
    std::wstring probe = path.empty() ? L"." : path;
    for (;;) {
        struct statvfs info {};
        if (::statvfs(NativePath(probe).c_str(), &info) == 0) {
            space.availableToCaller = uint64_t{info.f_bavail} * info.f_frsize;
            space.total = uint64_t{info.f_blocks} * info.f_frsize;
            space.free = uint64_t{info.f_bfree} * info.f_frsize;
            return true;
        }
        if (errno != ENOENT && errno != ENOTDIR) return false;
        const std::wstring parent = ParentOf(probe);
        if (parent == probe) return false;
        probe = parent;
    }
}

}  // namespace platform
