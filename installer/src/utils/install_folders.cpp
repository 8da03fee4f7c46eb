#include "utils/install_folders.h"

#include "platform/file_system.h"
#include "platform/private_folder.h"
#include "platform/special_folders.h"
#include "utils/install_paths.h"

namespace {

constexpr wchar_t kTempWorkFolder[] = L"~ZerraTemp.E5D1730C4A9F2B68";

bool CreateIfMissing(const std::wstring& folder) {
    return platform::FolderExists(folder) || platform::CreateDirectory(folder);
}

}  // namespace

bool CreateDirectoryTree(const std::wstring& path) {
    if (path.empty() || path.size() > InstallPaths::kMaxPath) return false;
    for (size_t separator = path.find(L'/'); separator != std::wstring::npos;
         separator = path.find(L'/', separator + 1)) {
        if (separator == 0) continue;  // the root
        if (!CreateIfMissing(path.substr(0, separator + 1))) return false;
    }
    return CreateIfMissing(path);
}

std::wstring GetTempWorkDir() {
    const std::wstring folder = InstallPaths::Join(platform::GetTempPath(), kTempWorkFolder);
    if (!platform::PathExists(folder) && !platform::CreatePrivateDirectory(folder)) return {};
    if (!platform::IsPrivateDirectory(folder)) return {};
    return folder + L"/";
}

std::wstring GetAnalyticsDataDir() {
    std::wstring base;
    if (!platform::GetAppDataVariable(base) || base.size() > InstallPaths::kMaxPath) {
        base.clear();
        platform::GetSpecialFolderPath(platform::SpecialFolder::CommonDocuments, base);
    }
    if (base.empty()) return {};
    return InstallPaths::Join(InstallPaths::Join(base, L"ZerraData"), L"Brushwell");
}
