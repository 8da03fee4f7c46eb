#include "download/part_joiner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "package_file.h"
#include "scratch_home.h"

namespace fs = std::filesystem;

namespace {

// A package of 300000 bytes in two part files of 100000 and 200000 bytes that
// are written piece by piece, as two ranges arrive.
struct GrowingParts {
    test_support::ScratchHome home;
    fs::path whole = home.tmp() / "whole";
    fs::path first = home.tmp() / "package_0";
    fs::path second = home.tmp() / "package_1";
    std::vector<char> bytes;
    std::ofstream out0, out1;

    GrowingParts() {
        WritePackageFile(whole, 300000);
        bytes = ReadWholeFile(whole);
        out0.open(first, std::ios::binary);
        out1.open(second, std::ios::binary);
    }
    std::vector<PartJoiner::Part> Parts(int64_t secondSize = 200000) const {
        return {{first.string(), 100000}, {second.string(), secondSize}};
    }
    void WriteFirst(int from, int count) { out0.write(bytes.data() + from, count).flush(); }
    void WriteSecond(int from, int count) { out1.write(bytes.data() + from, count).flush(); }
};

}  // namespace

// The second range runs ahead of the first, which must still come first.
TEST(PartJoiner, JoinsAndHashesGrowingPartsInPackageOrder) {
    for (const bool checksum : {true, false}) {
        GrowingParts parts;
        PartJoiner joiner(parts.Parts(), checksum);
        parts.WriteSecond(100000, 150000);
        for (int offset = 0; offset < 100000; offset += 30000) {
            parts.WriteFirst(offset, std::min(30000, 100000 - offset));
            joiner.CatchUp();
        }
        parts.WriteSecond(250000, 50000);
        parts.out1.close();
        ASSERT_TRUE(joiner.Complete()) << checksum;
        EXPECT_EQ(ReadWholeFile(parts.first), parts.bytes) << checksum;
        EXPECT_EQ(joiner.Checksum(), checksum ? FileChecksum(parts.whole.string()) : "");
    }
}

TEST(PartJoiner, UndoLeavesEachPartFileWithItsOwnRange) {
    GrowingParts parts;
    PartJoiner joiner(parts.Parts(), true);
    parts.WriteFirst(0, 100000);
    parts.WriteSecond(100000, 70000);
    joiner.CatchUp();
    EXPECT_GT(fs::file_size(parts.first), 100000u);  // joined on the way

    EXPECT_TRUE(joiner.Undo());
    EXPECT_EQ(fs::file_size(parts.first), 100000u);
    EXPECT_EQ(fs::file_size(parts.second), 70000u);
}

TEST(PartJoiner, AShortOrMissingPartIsNotComplete) {
    GrowingParts parts;
    parts.WriteFirst(0, 100000);
    parts.WriteSecond(100000, 200000);
    PartJoiner longerThanOnDisk(parts.Parts(200001), true);
    EXPECT_FALSE(longerThanOnDisk.Complete());
    EXPECT_EQ(longerThanOnDisk.Checksum(), "");
    EXPECT_TRUE(longerThanOnDisk.Undo());

    PartJoiner missing({{(parts.home.tmp() / "absent").string(), 1}}, true);
    EXPECT_FALSE(missing.Complete());
}
