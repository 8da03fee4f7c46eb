#include "utils/text_conversion.h"

#include <gtest/gtest.h>

namespace {

TEST(TextConversion, ConvertsWithExplicitCodePages) {
    EXPECT_EQ(ToWide("h\xC3\xA9 \xE4\xB8\xAD", kCodePageUtf8), L"hé 中");
    EXPECT_EQ(ToWide("h\xC3\xA9", kCodePageAnsi), L"hé");
    EXPECT_EQ(ToWide("\xD6\xD0\xCE\xC4", 936), L"中文");
    EXPECT_EQ(ToNarrow(L"中文", 936), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(ToNarrow(L"hé 中", kCodePageUtf8), "h\xC3\xA9 \xE4\xB8\xAD");
    EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD.exe"), "\xE4\xB8\xAD.exe");
}

TEST(TextConversion, BadInputGivesReplacementsOrNothing) {
    EXPECT_EQ(ToWide("a\xFF"
                     "b",
                     kCodePageUtf8),
              L"a\uFFFDb");
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a\xEF\xBF\xBD");
    EXPECT_EQ(ToWide("abc", 99999), L"");      // no such code page
    EXPECT_EQ(ToNarrow(L"a中b", 1252), "ab");  // no default character
    EXPECT_EQ(ToWide("", kCodePageUtf8), L"");
    EXPECT_EQ(ToWide(std::string("ab\0cd", 5), kCodePageUtf8), L"ab");  // ends at the NUL
    EXPECT_EQ(ToNarrow(std::wstring(L"ab\0cd", 5), kCodePageUtf8), "ab");
}

}  // namespace
