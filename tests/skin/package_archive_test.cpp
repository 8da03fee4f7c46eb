#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "seven_zip_layout.h"
#include "skin_package_bytes.h"

namespace Skin {
namespace {

TEST(PackageArchive, IsA7zArchiveWithOneSolidLzma2Block) {
    const auto bytes = ShippedPackageBytes();
    ASSERT_GT(bytes.size(), 6u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6),
              (std::vector<uint8_t>{0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C}));

    std::string error;
    const auto layout = ReadSevenZipLayout(bytes, error);
    ASSERT_TRUE(layout) << error;
    ASSERT_EQ(layout->folders.size(), 1u);
    EXPECT_EQ(layout->folders[0].coderIds, (std::vector<std::vector<uint8_t>>{{0x21}}));
    // Every member lives in that one block.
    EXPECT_EQ(layout->folders[0].unpackStreams, OpenShippedPackage().entries().size());
}

TEST(PackageArchive, LibarchiveSeesA7zArchiveOfFilesOnly) {
    const auto bytes = ShippedPackageBytes();
    archive* reader = archive_read_new();
    archive_read_support_format_all(reader);
    archive_read_support_filter_all(reader);
    ASSERT_EQ(archive_read_open_memory(reader, bytes.data(), bytes.size()), ARCHIVE_OK);
    archive_entry* entry = nullptr;
    size_t files = 0;
    while (archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
        EXPECT_EQ(archive_format(reader), ARCHIVE_FORMAT_7ZIP);
        EXPECT_EQ(archive_entry_filetype(entry), AE_IFREG) << archive_entry_pathname(entry);
        ++files;
    }
    EXPECT_STREQ(archive_format_name(reader), "7-Zip");
    EXPECT_EQ(files, 66u);
    archive_read_free(reader);
}

// Small archives packed the wrong ways (7zz -ms=off, and LZMA instead of
// LZMA2), to show the layout check tells them apart.
TEST(PackageArchive, LayoutReaderSeesOtherPackings) {
    struct Case {
        const char* fixture;
        size_t folders;
        std::vector<uint8_t> coder;
        uint64_t streamsInFirst;
    };
    const Case cases[] = {
        {"two_lzma2_blocks.7z", 2, {0x21}, 1},
        {"one_lzma_block.7z", 1, {0x03, 0x01, 0x01}, 2},
    };
    for (const Case& c : cases) {
        std::ifstream file(std::string(SKIN_TEST_FIXTURES) + "/" + c.fixture, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        std::string error;
        const auto layout = ReadSevenZipLayout(bytes, error);
        ASSERT_TRUE(layout) << c.fixture << ": " << error;
        ASSERT_EQ(layout->folders.size(), c.folders) << c.fixture;
        EXPECT_EQ(layout->folders[0].coderIds, (std::vector<std::vector<uint8_t>>{c.coder}))
            << c.fixture;
        EXPECT_EQ(layout->folders[0].unpackStreams, c.streamsInFirst) << c.fixture;
    }
}

TEST(PackageArchive, LayoutReaderRejectsOtherBytes) {
    std::string error;
    const std::vector<uint8_t> zip = {'P', 'K', 3, 4, 20, 0, 0, 0, 8, 0};
    EXPECT_FALSE(ReadSevenZipLayout(zip, error));
    auto truncated =
        std::vector<uint8_t>(ShippedPackageBytes().begin(), ShippedPackageBytes().begin() + 40);
    EXPECT_FALSE(ReadSevenZipLayout(truncated, error));
}

}  // namespace
}  // namespace Skin
