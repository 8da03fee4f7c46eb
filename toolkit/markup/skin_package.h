#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Skin {

// One non-directory member of the skin package, decompressed.
struct SkinPackageEntry {
    std::wstring name;   // as stored: "/" separators, letter case kept
    uint32_t index = 0;  // position among all members of the archive
    uint64_t size = 0;
    std::vector<uint8_t> data;
};

struct SkinMemberInfo {
    uint32_t index = 0;
    uint64_t size = 0;
};

// The skin package (a 7z archive) opened from memory: every member is
// decompressed once, when the package is opened; later reads copy from memory.
class SkinPackage {
public:
    // Nothing when the bytes are not an archive libarchive can read or a member
    // does not decompress; error then says why.
    static std::optional<SkinPackage> Open(std::span<const uint8_t> archive,
                                           std::string* error = nullptr);

    const std::vector<SkinPackageEntry>& entries() const { return entries_; }

    // Every "\" in the name counts as "/"; a member matches when its name has the
    // same length and is equal ignoring ASCII letter case. The first match wins.
    std::optional<SkinMemberInfo> FindMember(std::wstring_view name) const;

    // A copy of the member with that index; nothing for an index not in the list.
    std::optional<std::vector<uint8_t>> ReadMember(uint32_t index) const;

private:
    std::vector<SkinPackageEntry> entries_;
};

}  // namespace Skin
