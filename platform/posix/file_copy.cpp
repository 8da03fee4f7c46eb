#include "platform/file_copy.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/text.h"

namespace platform {
namespace {

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool CopyContents(int from, int to) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!WriteAll(to, buffer, static_cast<size_t>(got))) return false;
    }
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool CloseChecked() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace

bool CopyFile(std::wstring_view existingFile, std::wstring_view newFile, bool failIfExists) {
    const std::string source = WideToMultiByte(existingFile, kCodePageAnsi);
    const std::string target = WideToMultiByte(newFile, kCodePageAnsi);
    if (source.empty() || target.empty()) return false;
    Descriptor from(open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (from.get() < 0 || fstat(from.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;

    std::string staging = target + ".copy-XXXXXX";
    Descriptor to(mkostemp(staging.data(), O_CLOEXEC));
    if (to.get() < 0) return false;
    const bool copied = CopyContents(from.get(), to.get()) &&
                        fchmod(to.get(), info.st_mode & 07777) == 0 && to.CloseChecked();
    bool placed = false;
    if (copied) {
        // link() refuses an existing name, which is what failIfExists asks for.
        placed = failIfExists ? link(staging.c_str(), target.c_str()) == 0
                              : rename(staging.c_str(), target.c_str()) == 0;
    }
    if (!placed || failIfExists) unlink(staging.c_str());
    return placed;
}

}  // namespace platform
