#include "markup/skin_package.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>

#include "markup/markup_values.h"
#include "platform/text.h"

namespace Skin {
namespace {

struct ArchiveCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveCloser>;

std::optional<SkinPackage> Failed(std::string* error, archive* a, std::string_view what) {
    if (error) {
        const char* detail = a ? archive_error_string(a) : nullptr;
        *error = std::string(what) + (detail ? ": " + std::string(detail) : std::string());
    }
    return std::nullopt;
}

// Appends libarchive's decompressed blocks as they come (no zero-filled buffer
// to overwrite); 7z members have no holes, so the blocks follow each other.
bool ReadWholeMember(archive* a, archive_entry* header, std::vector<uint8_t>& data) {
    // The declared size only sizes the first allocation, never beyond a bound: a
    // damaged header must not ask for gigabytes before a byte is read.
    constexpr la_int64_t kMaxReserve = 16 << 20;
    if (archive_entry_size_is_set(header)) {
        data.reserve(static_cast<size_t>(
            std::clamp<la_int64_t>(archive_entry_size(header), 0, kMaxReserve)));
    }
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int status = archive_read_data_block(a, &block, &size, &offset);
        if (status == ARCHIVE_EOF) return true;
        if (status != ARCHIVE_OK || offset != static_cast<la_int64_t>(data.size())) return false;
        const auto* bytes = static_cast<const uint8_t*>(block);
        data.insert(data.end(), bytes, bytes + size);
    }
}

}  // namespace

std::optional<SkinPackage> SkinPackage::Open(std::span<const uint8_t> bytes, std::string* error) {
    ArchivePtr reader(archive_read_new());
    if (!reader) return Failed(error, nullptr, "out of memory");
    archive_read_support_format_7zip(reader.get());
    // libarchive only reads the buffer; the cast drops a const its API lacks.
    if (archive_read_open_memory(reader.get(), const_cast<uint8_t*>(bytes.data()), bytes.size()) !=
        ARCHIVE_OK) {
        return Failed(error, reader.get(), "not a 7z archive");
    }
    SkinPackage package;
    archive_entry* header = nullptr;
    for (uint32_t index = 0;; ++index) {
        const int status = archive_read_next_header(reader.get(), &header);
        if (status == ARCHIVE_EOF) break;
        if (status != ARCHIVE_OK) return Failed(error, reader.get(), "bad member header");
        if (archive_entry_filetype(header) == AE_IFDIR) continue;
        SkinPackageEntry entry;
        const char* name = archive_entry_pathname_utf8(header);
        entry.name = platform::MultiByteToWide(name ? name : "", platform::kCodePageUtf8);
        entry.index = index;
        if (!ReadWholeMember(reader.get(), header, entry.data)) {
            return Failed(error, reader.get(), "member does not decompress");
        }
        entry.size = entry.data.size();
        package.entries_.push_back(std::move(entry));
    }
    return package;
}

std::optional<SkinMemberInfo> SkinPackage::FindMember(std::wstring_view name) const {
    std::wstring wanted(name);
    std::replace(wanted.begin(), wanted.end(), L'\\', L'/');
    for (const SkinPackageEntry& entry : entries_) {
        if (EqualsIgnoreCase(entry.name, wanted)) return SkinMemberInfo{entry.index, entry.size};
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> SkinPackage::ReadMember(uint32_t index) const {
    const auto found =
        std::find_if(entries_.begin(), entries_.end(),
                     [index](const SkinPackageEntry& e) { return e.index == index; });
    if (found == entries_.end()) return std::nullopt;
    return found->data;
}

}  // namespace Skin
