#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "markup/markup_document.h"
#include "markup/skin_package.h"

namespace Skin {

// A skin file as loaded for a window: the parsed document, or the text of what
// went wrong ("Could not find ziped file", ..., or the markup error).
struct SkinFileResult {
    std::wstring error;
    MarkupDocument document;

    bool ok() const { return error.empty(); }
};

// Where skin files and images come from: the skin package once it is open
// (opened at most once), otherwise files below the resource folder on disk.
// The program uses one process-wide instance (ProcessSkinPackageState); tests
// make their own.
class CSkinPackageState {
public:
    static constexpr std::wstring_view kMemoryPackageName = L"membuffer";
    static constexpr uint64_t kMaxSkinFileSize = 0x400000;

    // The resource folder starts as the running executable's folder.
    CSkinPackageState();

    // Opens resource "ZIPRES"/147 of the executable as the package. Does nothing
    // once a package is set. False when the resource is missing or empty (the
    // window then has no skin).
    bool OpenResourcePackage();

    // Sets these bytes as the package (read during the call only). When
    // they do not open, the package stays set but unusable, and loading a skin
    // file says "Error opening zip file". Does nothing once a package is set.
    void OpenPackageFromMemory(std::span<const uint8_t> bytes);

    // "membuffer" once a package is set, empty before.
    const std::wstring& packageName() const { return packageName_; }
    // Null before a package is set and when its bytes did not open.
    const SkinPackage* package() const { return package_ ? &*package_ : nullptr; }

    // Always ends in the native separator.
    const std::wstring& resourceFolder() const { return resourceFolder_; }
    void setResourceFolder(std::wstring folder);

    // From the package when one is set, else the resource folder + name on disk.
    SkinFileResult LoadSkinFile(std::wstring_view name) const;

    // An image's bytes: the package member of that name, else the name as a
    // path on disk (relative to the current folder). Nothing when neither exists.
    std::optional<std::vector<uint8_t>> ReadImageFile(std::wstring_view name) const;

private:
    SkinFileResult LoadFromPackage(std::wstring_view name) const;
    SkinFileResult LoadFromDisk(std::wstring_view name) const;

    std::wstring packageName_;
    std::optional<SkinPackage> package_;
    std::wstring resourceFolder_;
};

CSkinPackageState& ProcessSkinPackageState();

}  // namespace Skin
