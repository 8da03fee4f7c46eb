#pragma once

#include <string>

#include "platform/named_mutex.h"

// Lets one installer run per logon session: a named mutex that the first copy
// holds for its whole run.
class SingleInstanceGuard {
public:
    static constexpr wchar_t kMutexPrefix[] = L"7C3E05B9F2A48D16_";
    static constexpr wchar_t kInstallerInstance[] = L"Installer_Brushwell";

    explicit SingleInstanceGuard(std::wstring instanceName = kInstallerInstance);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the mutex; false when another copy holds it or it cannot be made.
    bool Acquire();
    // Releases the mutex and closes its handle.
    void Release();
    bool IsHeld() const { return mutex.valid(); }

private:
    std::wstring instanceName;
    platform::MutexHandle mutex;
};
