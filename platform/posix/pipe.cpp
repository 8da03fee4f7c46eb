#include "platform/pipe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool CreatePipe(PipeHandle& readEnd, PipeHandle& writeEnd) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    readEnd.value = fds[0];
    writeEnd.value = fds[1];
    return true;
}

bool ReadFile(PipeHandle handle, void* buffer, uint32_t size, uint32_t& bytesRead) {
    bytesRead = 0;
    if (!handle.IsValid()) return false;
    ssize_t got;
    do {
        got = read(static_cast<int>(handle.value), buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return false;
    bytesRead = static_cast<uint32_t>(got);
    return true;
}

bool PeekNamedPipe(PipeHandle handle, uint32_t& bytesAvailable) {
    bytesAvailable = 0;
    if (!handle.IsValid()) return false;
    pollfd probe{static_cast<int>(handle.value), POLLIN, 0};
    int ready;
    do {
        ready = poll(&probe, 1, 0);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0 || (probe.revents & (POLLERR | POLLNVAL))) return false;
    int pending = 0;
    if (ioctl(static_cast<int>(handle.value), FIONREAD, &pending) != 0) return false;
    // POLLHUP with data still buffered: the data comes first, the end after it.
    if (pending == 0 && (probe.revents & POLLHUP)) return false;
    bytesAvailable = static_cast<uint32_t>(pending);
    return true;
}

void CloseHandle(PipeHandle& handle) {
    if (handle.IsValid()) close(static_cast<int>(handle.value));
    handle.value = -1;
}

}  // namespace platform
