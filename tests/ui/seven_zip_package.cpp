#include "seven_zip_package.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

namespace ui_test {
namespace {

la_ssize_t Append(struct archive*, void* data, const void* buffer, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(data);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    out->insert(out->end(), bytes, bytes + length);
    return static_cast<la_ssize_t>(length);
}

}  // namespace

std::vector<uint8_t> SevenZipPackage(
    const std::vector<std::pair<std::string, std::string>>& members) {
    std::vector<uint8_t> out;
    struct archive* writer = archive_write_new();
    EXPECT_EQ(archive_write_set_format_7zip(writer), ARCHIVE_OK);
    EXPECT_EQ(archive_write_open(writer, &out, nullptr, &Append, nullptr), ARCHIVE_OK);
    for (const auto& [name, bytes] : members) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
        EXPECT_EQ(archive_write_header(writer, entry), ARCHIVE_OK);
        if (!bytes.empty()) {
            EXPECT_EQ(archive_write_data(writer, bytes.data(), bytes.size()),
                      static_cast<la_ssize_t>(bytes.size()));
        }
        archive_entry_free(entry);
    }
    EXPECT_EQ(archive_write_close(writer), ARCHIVE_OK);
    archive_write_free(writer);
    return out;
}

}  // namespace ui_test
