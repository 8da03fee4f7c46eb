#include "platform/process_info.h"

#include <limits.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/text.h"

namespace platform {

uint32_t CurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

uint32_t CurrentThreadId() { return static_cast<uint32_t>(::syscall(SYS_gettid)); }

void SetCurrentThreadName(const std::string& name) {
    ::pthread_setname_np(::pthread_self(), name.substr(0, 15).c_str());
}

std::wstring ModuleFilePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return MultiByteToWide(std::string_view(buffer, length), kCodePageUtf8);
}

bool GetEnvironmentVariable(const std::wstring& name, std::wstring& value) {
    const char* raw = std::getenv(WideToMultiByte(name, kCodePageUtf8).c_str());
    if (raw == nullptr) return false;
    value = MultiByteToWide(raw, kCodePageUtf8);
    return true;
}

}  // namespace platform
