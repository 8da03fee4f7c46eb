#include "markup/skin_package_state.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/process_info.h"
#include "platform/resources.h"
#include "platform/text.h"

namespace Skin {
namespace {

constexpr wchar_t kSeparator = L'/';

std::filesystem::path NativePath(std::wstring_view name) {
    std::wstring native(name);
    std::replace(native.begin(), native.end(), L'\\', kSeparator);
    return std::filesystem::path(platform::WideToMultiByte(native, platform::kCodePageUtf8));
}

SkinFileResult Failure(const wchar_t* text) { return SkinFileResult{text, {}}; }

SkinFileResult Parsed(std::string_view bytes) {
    SkinFileResult result{{}, ParseMarkup(DecodeSkinText(bytes))};
    result.error = result.document.error();
    return result;
}

}  // namespace

CSkinPackageState::CSkinPackageState() {
    const std::wstring module = platform::ModuleFilePath();
    setResourceFolder(module.substr(0, module.find_last_of(kSeparator) + 1));
}

bool CSkinPackageState::OpenResourcePackage() {
    if (packageName_ == kMemoryPackageName) return true;
    const platform::ResourceHandle resource = platform::FindResource(
        platform::kSkinPackageResourceId, platform::kResourceTypeSkinPackage);
    const void* bytes = platform::LoadResource(resource);
    const uint32_t size = platform::SizeofResource(resource);
    if (!bytes || size == 0) return false;
    OpenPackageFromMemory({static_cast<const uint8_t*>(bytes), size});
    return true;
}

void CSkinPackageState::OpenPackageFromMemory(std::span<const uint8_t> bytes) {
    if (packageName_ == kMemoryPackageName) return;
    package_ = SkinPackage::Open(bytes);
    packageName_ = kMemoryPackageName;
}

void CSkinPackageState::setResourceFolder(std::wstring folder) {
    if (folder.empty() || folder.back() != kSeparator) folder.push_back(kSeparator);
    resourceFolder_ = std::move(folder);
}

SkinFileResult CSkinPackageState::LoadSkinFile(std::wstring_view name) const {
    return packageName_.empty() ? LoadFromDisk(name) : LoadFromPackage(name);
}

SkinFileResult CSkinPackageState::LoadFromPackage(std::wstring_view name) const {
    if (!package_) return Failure(L"Error opening zip file");
    const auto member = package_->FindMember(name);
    if (!member) return Failure(L"Could not find ziped file");
    if (member->size == 0) return Failure(L"File is empty");
    if (member->size > kMaxSkinFileSize) return Failure(L"File too large");
    const auto bytes = package_->ReadMember(member->index);
    if (!bytes) return Failure(L"Could not unzip file");
    return Parsed({reinterpret_cast<const char*>(bytes->data()), bytes->size()});
}

SkinFileResult CSkinPackageState::LoadFromDisk(std::wstring_view name) const {
    const std::filesystem::path path = NativePath(resourceFolder_ + std::wstring(name));
    std::ifstream file(path, std::ios::binary);
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (!file || sizeError) return Failure(L"Error opening file");
    if (size == 0) return Failure(L"File is empty");
    if (size > kMaxSkinFileSize) return Failure(L"File too large");
    std::string bytes(size, '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size)))
        return Failure(L"Could not read file");
    return Parsed(bytes);
}

std::optional<std::vector<uint8_t>> CSkinPackageState::ReadImageFile(std::wstring_view name) const {
    if (package_) {
        if (const auto member = package_->FindMember(name))
            return package_->ReadMember(member->index);
    }
    std::ifstream file(NativePath(name), std::ios::binary);
    if (!file) return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>());
}

CSkinPackageState& ProcessSkinPackageState() {
    static CSkinPackageState state;
    return state;
}

}  // namespace Skin
