#include "download/checksum.h"

#include <gtest/gtest.h>

#include <fstream>

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

