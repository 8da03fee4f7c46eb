#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "native_path.h"
#include "platform/file_system.h"

namespace platform {
namespace {

// A mutex name may hold characters a file name cannot.
std::string FileNameOf(const std::wstring& name) {
    std::string file = NativePath(name);
    for (char& c : file) {
        if (c == '/') c = '_';
    }
    return file;
}

int OpenLockFile(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

}  // namespace

MutexHandle CreateMutex(const std::wstring& name, long& lastError) {
    lastError = 0;
    MutexHandle mutex;
    const std::string file = FileNameOf(name);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/') {
        mutex.descriptor = OpenLockFile(std::string(runtime) + "/" + file + ".lock");
    }
    if (!mutex.valid()) {
        // Shared temporary folders hold every user's files: the user id keeps
        // one user's lock from blocking another's.
        const std::string temp = NativePath(GetTempPath());
        mutex.descriptor = OpenLockFile(temp + file + "." + std::to_string(::getuid()) + ".lock");
    }
    if (!mutex.valid()) {
        lastError = errno;
        return mutex;
    }
    int locked;
    do {
        locked = ::flock(mutex.descriptor, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        mutex.owned = true;
    } else {
        lastError = errno == EWOULDBLOCK ? kErrorAlreadyExists : errno;
    }
    return mutex;
}

void ReleaseMutex(MutexHandle& mutex) {
    if (!mutex.valid() || !mutex.owned) return;
    ::flock(mutex.descriptor, LOCK_UN);
    mutex.owned = false;
}

void CloseHandle(MutexHandle& mutex) {
    if (!mutex.valid()) return;
    ReleaseMutex(mutex);
    ::close(mutex.descriptor);
    mutex.descriptor = -1;
}

}  // namespace platform
