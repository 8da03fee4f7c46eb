#include "platform/current_directory.h"

#include <unistd.h>

#include <climits>

#include "platform/text.h"

namespace platform {

std::wstring GetCurrentDirectory() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) return {};
    return MultiByteToWide(buffer, kCodePageAnsi);
}

}  // namespace platform
