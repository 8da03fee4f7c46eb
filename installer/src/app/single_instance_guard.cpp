#include "app/single_instance_guard.h"

SingleInstanceGuard::SingleInstanceGuard(std::wstring instanceName)
    : instanceName(std::move(instanceName)) {}

SingleInstanceGuard::~SingleInstanceGuard() { Release(); }

bool SingleInstanceGuard::Acquire() {
    if (IsHeld()) return true;
    long lastError = 0;
    mutex = platform::CreateMutex(kMutexPrefix + instanceName, lastError);
    if (mutex.valid() && lastError == platform::kErrorAlreadyExists) {
        platform::CloseHandle(mutex);
    }
    return IsHeld();
}

void SingleInstanceGuard::Release() {
    platform::ReleaseMutex(mutex);
    platform::CloseHandle(mutex);
}
