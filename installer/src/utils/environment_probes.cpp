#include "utils/environment_probes.h"

#include <cwchar>

#include "platform/accounts.h"
#include "platform/guid.h"
#include "platform/os_version.h"
#include "platform/process_lookup.h"

bool Is64BitWindows() { return platform::QueryOsVersion().is64Bit; }

std::wstring NewDeviceId() {
    platform::Guid guid;
    if (!platform::CreateGuid(guid)) return {};
    wchar_t text[33];
    std::swprintf(text, 33, L"%08X%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X", guid.data1, guid.data2,
                  guid.data3, guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3],
                  guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    return text;
}

uint32_t FindProcessByName(const std::wstring& exeName) {
    return platform::FindProcessByName(exeName);
}

bool GetConsoleUserName(std::wstring& name) { return platform::GetConsoleUserName(name); }

bool IsAdminAccount(const std::wstring& userName) { return platform::IsAdminAccount(userName); }

bool IsProcessAdmin() { return platform::IsProcessAdmin(); }
