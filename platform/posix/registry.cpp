#include "platform/registry.h"

#include <cerrno>
#include <cwctype>
#include <vector>

#include "platform/file_system.h"
#include "platform/special_folders.h"
#include "platform/text.h"

namespace platform {

// The key files and their contents. A key file holds one value a line:
// name, a tab, the type number, a tab, the data, with backslash escapes for
// the characters that would break the line.
class RegistryStore {
public:
    struct Entry {
        std::wstring name;
        RegistryValue value;
    };

    static std::wstring& FileOf(RegistryKey& key) { return key.file_; }
    static const std::wstring& FileOf(const RegistryKey& key) { return key.file_; }

    // The key file for `subKey`, or empty when the path is not a key path.
    static std::wstring KeyFile(const std::wstring& subKey) {
        std::wstring root;
        if (!GetConfigFolder(root)) return {};
        std::wstring file = root + L"/registry/hkey_current_user";
        size_t start = 0;
        bool any = false;
        while (start <= subKey.size()) {
            size_t end = subKey.find(L'\\', start);
            if (end == std::wstring::npos) end = subKey.size();
            std::wstring part = subKey.substr(start, end - start);
            start = end + 1;
            if (part.empty()) continue;
            if (part == L"." || part == L".." || part.find(L'/') != std::wstring::npos) return {};
            for (wchar_t& c : part) c = static_cast<wchar_t>(std::towlower(c));
            file += L"/" + part;
            any = true;
        }
        return any ? file + L".key" : std::wstring();
    }

    static bool Load(const std::wstring& file, std::vector<Entry>& entries) {
        std::string bytes;
        if (!ReadWholeFile(file, bytes)) return false;
        const std::wstring text = MultiByteToWide(bytes, kCodePageUtf8);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos) end = text.size();
            ParseLine(std::wstring_view(text).substr(start, end - start), entries);
            start = end + 1;
        }
        return true;
    }

    static bool Save(const std::wstring& file, const std::vector<Entry>& entries) {
        std::wstring text;
        for (const Entry& entry : entries) {
            text += Escape(entry.name) + L"\t" + std::to_wstring(entry.value.type) + L"\t";
            text += entry.value.type == kRegDword ? std::to_wstring(entry.value.number)
                                                  : Escape(entry.value.text);
            text += L"\n";
        }
        return WriteFileAtomically(file, WideToMultiByte(text, kCodePageUtf8));
    }

    static Entry* Find(std::vector<Entry>& entries, const std::wstring& name) {
        for (Entry& entry : entries) {
            if (EqualIgnoringCase(entry.name, name)) return &entry;
        }
        return nullptr;
    }

private:
    static std::wstring Escape(const std::wstring& text) {
        std::wstring out;
        for (wchar_t c : text) {
            switch (c) {
                case L'\\':
                    out += L"\\\\";
                    break;
                case L'\t':
                    out += L"\\t";
                    break;
                case L'\n':
                    out += L"\\n";
                    break;
                case L'\r':
                    out += L"\\r";
                    break;
                case L'\0':
                    out += L"\\0";
                    break;
                default:
                    out.push_back(c);
            }
        }
        return out;
    }

    static std::wstring Unescape(std::wstring_view text) {
        std::wstring out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != L'\\' || i + 1 == text.size()) {
                out.push_back(text[i]);
                continue;
            }
            const wchar_t next = text[++i];
            out.push_back(next == L't'   ? L'\t'
                          : next == L'n' ? L'\n'
                          : next == L'r' ? L'\r'
                          : next == L'0' ? L'\0'
                                         : next);
        }
        return out;
    }

    static void ParseLine(std::wstring_view line, std::vector<Entry>& entries) {
        const size_t firstTab = line.find(L'\t');
        const size_t secondTab = line.find(L'\t', firstTab + 1);
        if (firstTab == std::wstring_view::npos || secondTab == std::wstring_view::npos) return;
        Entry entry;
        entry.name = Unescape(line.substr(0, firstTab));
        const std::wstring type(line.substr(firstTab + 1, secondTab - firstTab - 1));
        const std::wstring_view data = line.substr(secondTab + 1);
        entry.value.type = static_cast<uint32_t>(std::wcstoul(type.c_str(), nullptr, 10));
        if (entry.value.type == kRegDword) {
            entry.value.number =
                static_cast<uint32_t>(std::wcstoul(std::wstring(data).c_str(), nullptr, 10));
        } else {
            entry.value.text = Unescape(data);
        }
        entries.push_back(std::move(entry));
    }
};

namespace {

// Creates every folder above `file` that is missing.
bool CreateParentFolders(const std::wstring& file) {
    for (size_t slash = file.find(L'/', 1); slash != std::wstring::npos;
         slash = file.find(L'/', slash + 1)) {
        const std::wstring folder = file.substr(0, slash);
        if (!FolderExists(folder) && !CreateDirectory(folder)) return false;
    }
    return true;
}

long LastWriteError() { return errno == ENOENT ? kErrorFileNotFound : kErrorAccessDenied; }

// The values of an open key.
long LoadValues(const RegistryKey& key, std::vector<RegistryStore::Entry>& entries) {
    const std::wstring& file = RegistryStore::FileOf(key);
    if (file.empty()) return kErrorInvalidParameter;
    return RegistryStore::Load(file, entries) ? kErrorSuccess : kErrorFileNotFound;
}

long SaveValues(const RegistryKey& key, const std::vector<RegistryStore::Entry>& entries) {
    return RegistryStore::Save(RegistryStore::FileOf(key), entries) ? kErrorSuccess
                                                                    : LastWriteError();
}

long SetValue(const RegistryKey& key, const std::wstring& name, const RegistryValue& value) {
    std::vector<RegistryStore::Entry> entries;
    if (const long result = LoadValues(key, entries); result != kErrorSuccess) return result;
    if (RegistryStore::Entry* entry = RegistryStore::Find(entries, name)) {
        entry->value = value;
    } else {
        entries.push_back({name, value});
    }
    return SaveValues(key, entries);
}

}  // namespace

long RegCreateKeyEx(const std::wstring& subKey, RegistryKey& key) {
    const std::wstring file = RegistryStore::KeyFile(subKey);
    if (file.empty()) return kErrorInvalidParameter;
    if (!FileExists(file)) {
        if (!CreateParentFolders(file) || !WriteFileAtomically(file, {})) {
            return LastWriteError();
        }
    }
    RegistryStore::FileOf(key) = file;
    return kErrorSuccess;
}

long RegOpenKeyEx(const std::wstring& subKey, RegistryKey& key) {
    const std::wstring file = RegistryStore::KeyFile(subKey);
    if (file.empty()) return kErrorInvalidParameter;
    if (!FileExists(file)) return kErrorFileNotFound;
    RegistryStore::FileOf(key) = file;
    return kErrorSuccess;
}

long RegSetStringValue(const RegistryKey& key, const std::wstring& name, const std::wstring& text) {
    RegistryValue value;
    value.type = kRegSz;
    value.text = text;
    return SetValue(key, name, value);
}

long RegSetDwordValue(const RegistryKey& key, const std::wstring& name, uint32_t number) {
    RegistryValue value;
    value.type = kRegDword;
    value.number = number;
    return SetValue(key, name, value);
}

long RegQueryValue(const RegistryKey& key, const std::wstring& name, RegistryValue& value) {
    std::vector<RegistryStore::Entry> entries;
    if (const long result = LoadValues(key, entries); result != kErrorSuccess) return result;
    const RegistryStore::Entry* entry = RegistryStore::Find(entries, name);
    if (entry == nullptr) return kErrorFileNotFound;
    value = entry->value;
    return kErrorSuccess;
}

long RegDeleteValue(const RegistryKey& key, const std::wstring& name) {
    std::vector<RegistryStore::Entry> entries;
    if (const long result = LoadValues(key, entries); result != kErrorSuccess) return result;
    const RegistryStore::Entry* entry = RegistryStore::Find(entries, name);
    if (entry == nullptr) return kErrorFileNotFound;
    entries.erase(entries.begin() + (entry - entries.data()));
    return SaveValues(key, entries);
}

}  // namespace platform
