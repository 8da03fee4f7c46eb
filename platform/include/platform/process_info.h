#pragma once

#include <cstdint>
#include <string>

namespace platform {

uint32_t CurrentProcessId();
uint32_t CurrentThreadId();

// Names the calling thread for debuggers; the kernel keeps 15 bytes of it.
void SetCurrentThreadName(const std::string& name);

// GetModuleFileNameW for the running executable: its full path.
std::wstring ModuleFilePath();

// GetEnvironmentVariableW: false when the variable is not set.
bool GetEnvironmentVariable(const std::wstring& name, std::wstring& value);

}  // namespace platform
