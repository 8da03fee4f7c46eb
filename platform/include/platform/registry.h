#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The current user's registry (HKEY_CURRENT_USER) as a store of our own: one
// file per key below $XDG_CONFIG_HOME (default ~/.config), key and value names
// compared without regard to case, every write atomic. Results are the
// Windows error codes.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidParameter = 87;

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegDword = 4;

// An open key (HKEY); empty until RegCreateKeyEx or RegOpenKeyEx succeeds.
class RegistryKey {
public:
    bool IsOpen() const { return !file_.empty(); }

private:
    friend class RegistryStore;
    std::wstring file_;
};

struct RegistryValue {
    uint32_t type = 0;
    std::wstring text;    // REG_SZ
    uint32_t number = 0;  // REG_DWORD
};

// RegCreateKeyExW below HKEY_CURRENT_USER: opens the key, creating it and the
// keys above it when missing. `subKey` separates its parts with "\".
long RegCreateKeyEx(const std::wstring& subKey, RegistryKey& key);
// RegOpenKeyExW below HKEY_CURRENT_USER: kErrorFileNotFound when missing.
long RegOpenKeyEx(const std::wstring& subKey, RegistryKey& key);

// RegSetValueExW with REG_SZ or REG_DWORD.
long RegSetStringValue(const RegistryKey& key, const std::wstring& name, const std::wstring& text);
long RegSetDwordValue(const RegistryKey& key, const std::wstring& name, uint32_t number);
// RegQueryValueExW: kErrorFileNotFound when the value is missing.
long RegQueryValue(const RegistryKey& key, const std::wstring& name, RegistryValue& value);
// RegDeleteValueW.
long RegDeleteValue(const RegistryKey& key, const std::wstring& name);

}  // namespace platform
