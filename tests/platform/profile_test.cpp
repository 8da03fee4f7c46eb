#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/file_system.h"
#include "scratch_home.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ProfileTest : public ::testing::Test {
protected:
    test_support::ScratchHome home;
    fs::path file = home.tmp() / "set.ini";
    std::wstring Read(std::wstring_view section, std::wstring_view key, size_t buffer = 260,
                      std::wstring_view fallback = L"<none>") {
        return platform::GetPrivateProfileString(section, key, fallback, buffer, file.wstring());
    }
};

TEST_F(ProfileTest, ReadsWithTheWindowsSemantics) {
    WriteText(file,
              "\xEF\xBB\xBF"
              "top=outside\r\n"
              "  [ Install ]  \r\n"
              "  DownloadUrl  =  http://a/b?x=1  \r\n"
              "Quoted=\"  kept spaces  \"\r\n"
              "Single='one'\r\n"
              "Unpaired=\"open\r\n"
              "Empty=\r\n"
              "Dup=first\r\n"
              "dup=second\r\n"
              ";Comment=no\r\n"
              "Chinese=中文\n"
              "[install]\r\n"
              "Later=hidden by the first section\r\n"
              "[Other]\r\n"
              "Dup=other\r\n");
    struct Case {
        std::wstring_view section, key, expected;
    };
    const Case cases[] = {
        {L"Install", L"DownloadUrl", L"http://a/b?x=1"},
        {L"INSTALL", L"downloadurl", L"http://a/b?x=1"},
        {L"Install", L"Quoted", L"  kept spaces  "},
        {L"Install", L"Single", L"one"},
        {L"Install", L"Unpaired", L"\"open"},
        {L"Install", L"Empty", L""},
        {L"Install", L"DUP", L"first"},
        {L"Install", L"Comment", L"<none>"},
        {L"Install", L"Chinese", L"中文"},
        {L"Install", L"Later", L"<none>"},
        {L"Install", L"top", L"<none>"},
        {L"Other", L"Dup", L"other"},
        {L"Missing", L"Dup", L"<none>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.section, c.key), c.expected) << std::string(c.key.begin(), c.key.end());
    }
}

TEST_F(ProfileTest, ValuesAndDefaultsAreCutToTheBuffer) {
    WriteText(file, "[s]\nlong=" + std::string(300, 'a') + "\n");
    EXPECT_EQ(Read(L"s", L"long"), std::wstring(259, L'a'));
    EXPECT_EQ(Read(L"s", L"long", 4), L"aaa");
    EXPECT_EQ(Read(L"s", L"long", 0), L"");
    EXPECT_EQ(Read(L"s", L"none", 4, L"defaults  "), L"def");
    EXPECT_EQ(Read(L"s", L"none", 260, L"trailing  "), L"trailing");
    fs::remove(file);
    EXPECT_EQ(Read(L"s", L"long", 260, L"no file"), L"no file");
}

TEST_F(ProfileTest, IntegersFollowTheWindowsReader) {
    WriteText(file,
              "[n]\na=42\nb= -7 \nc=12abc\nd=abc\ne=\nf=0x1F\ng=4294967297\nh=+3\n"
              "i=\"15\"\n");
    struct Case {
        std::wstring_view key;
        int expected;
    };
    const Case cases[] = {{L"a", 42}, {L"b", -7}, {L"c", 12}, {L"d", 0},  {L"e", 99},
                          {L"f", 31}, {L"g", 1},  {L"h", 3},  {L"i", 15}, {L"none", 99}};
    for (const Case& c : cases) {
        EXPECT_EQ(platform::GetPrivateProfileInt(L"n", c.key, 99, file.wstring()), c.expected)
            << std::string(c.key.begin(), c.key.end());
    }
}

TEST_F(ProfileTest, Utf16FileWithByteOrderMarkIsRead) {
    const std::u16string text = u"[s]\r\nk=v\u4e2d\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    WriteText(file, bytes);
    EXPECT_EQ(Read(L"s", L"k"), L"v中");
}

TEST_F(ProfileTest, WritesCreateReplaceAndDelete) {
    const std::wstring path = file.wstring();
    ASSERT_TRUE(platform::WritePrivateProfileString(L"Install", L"Path", L"/opt/a b", path));
    EXPECT_EQ(ReadText(file), "[Install]\r\nPath=/opt/a b\r\n");
    ASSERT_TRUE(platform::WritePrivateProfileString(L"install", L"PATH", L"/new", path));
    ASSERT_TRUE(platform::WritePrivateProfileString(L"Install", L"Id", L"x", path));
    ASSERT_TRUE(platform::WritePrivateProfileString(L"Other", L"k", L"v", path));
    EXPECT_EQ(ReadText(file), "[Install]\r\nPATH=/new\r\nId=x\r\n[Other]\r\nk=v\r\n");
    ASSERT_TRUE(platform::WritePrivateProfileString(L"Install", L"Id", std::nullopt, path));
    ASSERT_TRUE(platform::WritePrivateProfileString(L"Other", std::nullopt, std::nullopt, path));
    EXPECT_EQ(ReadText(file), "[Install]\r\nPATH=/new\r\n");
    // Deleting what is not there changes nothing and succeeds.
    EXPECT_TRUE(platform::WritePrivateProfileString(L"None", L"k", std::nullopt, path));
    EXPECT_EQ(ReadText(file), "[Install]\r\nPATH=/new\r\n");
}

TEST_F(ProfileTest, WritesKeepTheRestOfTheFile) {
    WriteText(file, "; note\n[a]\nx=1\n\n[b]\ny=2\n");
    ASSERT_TRUE(platform::WritePrivateProfileString(L"a", L"z", L"3", file.wstring()));
    EXPECT_EQ(ReadText(file), "; note\n[a]\nx=1\nz=3\n\n[b]\ny=2\n");
}

TEST_F(ProfileTest, RefusesTextThatWouldBreakTheFile) {
    WriteText(file, "[a]\nx=1\n");
    const std::wstring path = file.wstring();
    EXPECT_FALSE(platform::WritePrivateProfileString(L"a", L"x", L"1\r\n[evil]", path));
    EXPECT_FALSE(platform::WritePrivateProfileString(L"a", L"k=v", L"1", path));
    EXPECT_FALSE(platform::WritePrivateProfileString(L"a]b", L"k", L"1", path));
    EXPECT_EQ(ReadText(file), "[a]\nx=1\n");
}

TEST_F(ProfileTest, FileNameDiffersOnlyInCase) {
    const fs::path actual = home.tmp() / "Set.INI";
    WriteText(actual, "[s]\nk=found\n");
    EXPECT_EQ(Read(L"s", L"k"), L"found");
    ASSERT_TRUE(platform::WritePrivateProfileString(L"s", L"k", L"written", file.wstring()));
    EXPECT_EQ(ReadText(actual), "[s]\nk=written\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(home.tmp()), fs::directory_iterator{}), 1);
}

TEST_F(ProfileTest, WriteReplacesTheFileAtomicallyAndKeepsItsMode) {
    WriteText(file, "[s]\nk=old\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    struct stat before {};
    ::stat(file.c_str(), &before);
    ASSERT_TRUE(platform::WritePrivateProfileString(L"s", L"k", L"new", file.wstring()));
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino) << "the file must be replaced, not rewritten in place";
    EXPECT_EQ(after.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.tmp()), fs::directory_iterator{}), 1);
}

TEST_F(ProfileTest, WriteFailsWhereTheFolderIsMissing) {
    EXPECT_FALSE(platform::WritePrivateProfileString(
        L"s", L"k", L"v", (home.tmp() / "missing" / "set.ini").wstring()));
}

}  // namespace
