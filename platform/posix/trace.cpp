#include "platform/trace.h"

#include <fcntl.h>
#include <syslog.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/text.h"

namespace platform {
namespace {

// The sink is chosen once per process: -1 means the system log.
int OpenSink() {
    const char* target = std::getenv("BRUSHWELL_TRACE");
    if (target == nullptr || *target == '\0') return -1;
    if (std::strcmp(target, "stderr") == 0) return STDERR_FILENO;
    const int fd = ::open(target, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    return fd;
}

int Sink() {
    static const int fd = OpenSink();
    return fd;
}

}  // namespace

void OutputDebugString(std::wstring_view line) {
    const std::string bytes = WideToMultiByte(line, kCodePageUtf8);
    const int fd = Sink();
    if (fd < 0) {
        ::syslog(LOG_DEBUG, "%s", bytes.c_str());
        return;
    }
    // O_APPEND makes one write one whole line, whichever thread writes it.
    [[maybe_unused]] const ssize_t written = ::write(fd, bytes.data(), bytes.size());
}

}  // namespace platform
