#pragma once

#include <string>

namespace platform {

inline constexpr long kErrorAlreadyExists = 183;

// A mutex handle; not valid when creation failed.
struct MutexHandle {
    int descriptor = -1;
    bool owned = false;
    bool valid() const { return descriptor >= 0; }
};

// CreateMutexW(nullptr, TRUE, name) in the logon session: an exclusive lock on
// a file named after the mutex in $XDG_RUNTIME_DIR (else the temporary folder,
// with the user id in the name), released by the kernel when the process
// ends. When another holder has it, the handle is valid but not owned and
// `lastError` is kErrorAlreadyExists; 0 otherwise.
MutexHandle CreateMutex(const std::wstring& name, long& lastError);

// ReleaseMutex: gives up ownership, keeps the handle.
void ReleaseMutex(MutexHandle& mutex);
// CloseHandle: releases and closes.
void CloseHandle(MutexHandle& mutex);

}  // namespace platform
