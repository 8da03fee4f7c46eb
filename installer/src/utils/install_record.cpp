#include "utils/install_record.h"

#include "platform/registry.h"

bool WriteRegistryValue(const std::wstring& name, const std::wstring& text) {
    platform::RegistryKey key;
    if (platform::RegCreateKeyEx(kInstallRecordKey, key) != platform::kErrorSuccess) return false;
    return platform::RegSetStringValue(key, name, text) == platform::kErrorSuccess;
}

bool ReadRegistryValue(const std::wstring& name, std::wstring& text) {
    platform::RegistryKey key;
    if (platform::RegOpenKeyEx(kInstallRecordKey, key) != platform::kErrorSuccess) return false;
    platform::RegistryValue value;
    if (platform::RegQueryValue(key, name, value) != platform::kErrorSuccess ||
        value.type != platform::kRegSz) {
        return false;
    }
    text = value.text;
    return true;
}
