#include "download/checksum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "download/part_checksum.h"
#include "package_file.h"
#include "scratch_home.h"

TEST(UrlChecksum, TakesTheSecondToLastPathSegment) {
    const struct {
        const char* url;
        const char* expected;
    } cases[] = {
        {"http://h/0123456789abcdef0123456789abcdef/Brushwell.exe",
         "0123456789abcdef0123456789abcdef"},
        {"http://h/a/b/c/setup.exe", "c"},
        {"http://h/setup.exe", "h"},
        {"setup.exe", ""},
        {"h/setup.exe", ""},
        {"http://h/md5/", "md5"},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlChecksum(c.url), c.expected) << c.url;
}

TEST(FileChecksum, MatchesKnownDigestsAndFailsOnMissingFile) {
    test_support::ScratchHome home;
    const struct {
        std::string content;
        const char* md5;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {std::string(100000, 'a'), "1af6d6f2f682f76f80e606aeaaee1680"},
    };
    const auto path = home.tmp() / "file";
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << c.content;
        EXPECT_EQ(FileChecksum(path.string()), c.md5) << c.content.size();
    }
    EXPECT_EQ(FileChecksum((home.tmp() / "absent").string()), "");
}

// The parts grow while they are hashed, as during a download: the follower
// must take every byte once and in package order, and refuse a short part.
TEST(PartChecksumFollower, HashesGrowingPartsInPackageOrder) {
    test_support::ScratchHome home;
    const auto whole = home.tmp() / "whole";
    WritePackageFile(whole, 300000);
    const std::vector<char> bytes = ReadWholeFile(whole);
    const auto first = home.tmp() / "part_0";
    const auto second = home.tmp() / "part_1";
    std::ofstream out0(first, std::ios::binary), out1(second, std::ios::binary);

    PartChecksumFollower follower({{first.string(), 100000}, {second.string(), 200000}});
    // The second part is ahead of the first, which must not be skipped.
    out1.write(bytes.data() + 100000, 150000).flush();
    for (int offset = 0; offset < 100000; offset += 30000) {
        out0.write(bytes.data() + offset, std::min(30000, 100000 - offset)).flush();
        follower.CatchUp();
    }
    out1.write(bytes.data() + 250000, 50000).flush();
    EXPECT_EQ(follower.Finish(), FileChecksum(whole.string()));

    PartChecksumFollower shortPart({{first.string(), 100000}, {second.string(), 200001}});
    EXPECT_EQ(shortPart.Finish(), "");
    PartChecksumFollower missingPart({{(home.tmp() / "absent").string(), 1}});
    EXPECT_EQ(missingPart.Finish(), "");
}
