#include "skin/skin_resources.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/text.h"

namespace Skin {
namespace {

std::wstring& ResourceFolder() {
    static std::wstring folder;
    return folder;
}

}  // namespace

void SetResourceFolder(const std::wstring& folder) {
    ResourceFolder() = folder;
    if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') ResourceFolder() += L'/';
}

const std::wstring& GetResourceFolder() { return ResourceFolder(); }

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    std::wstring native = path;
    std::replace(native.begin(), native.end(), L'\\', L'/');
    std::ifstream file(platform::WideToMultiByte(native, platform::kCodePageUtf8), std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool ReadSkinResource(const std::wstring& name, std::string& bytes) {
    if (!ResourceFolder().empty() && ReadFileBytes(ResourceFolder() + name, bytes)) return true;
    return ReadFileBytes(name, bytes);
}

}  // namespace Skin
