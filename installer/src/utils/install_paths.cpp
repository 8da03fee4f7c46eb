#include "utils/install_paths.h"

#include <algorithm>
#include <vector>

namespace InstallPaths {
namespace {

constexpr wchar_t kSeparator = L'/';

std::vector<std::wstring> Components(const std::wstring& path) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(kSeparator, start);
        if (end == std::wstring::npos) end = path.size();
        std::wstring part = path.substr(start, end - start);
        if (!part.empty() && part != L".") parts.push_back(std::move(part));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (folder.back() == kSeparator) return folder + name;
    return folder + kSeparator + name;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t last = path.find_last_of(kSeparator);
    if (last == std::wstring::npos) return {};
    if (last == 0) return std::wstring(1, kSeparator);
    return path.substr(0, last);
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t last = path.find_last_of(kSeparator);
    return last == std::wstring::npos ? path : path.substr(last + 1);
}

std::wstring Normalise(const std::wstring& folderText) {
    std::wstring folder = folderText;
    std::replace(folder.begin(), folder.end(), L'\\', kSeparator);
    return folder;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    if (a.empty() || b.empty()) return false;
    const bool aAbsolute = a.front() == kSeparator;
    const bool bAbsolute = b.front() == kSeparator;
    return aAbsolute == bAbsolute && Components(a) == Components(b);
}

}  // namespace InstallPaths
