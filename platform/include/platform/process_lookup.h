#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A process snapshot walk (CreateToolhelp32Snapshot) for the first process
// whose image name equals `exeName` exactly: the base name of its executable,
// of its first argument, or, for a script started through its "#!" line, of
// the script. 0 when none matches.
uint32_t FindProcessByName(const std::wstring& exeName);

}  // namespace platform
