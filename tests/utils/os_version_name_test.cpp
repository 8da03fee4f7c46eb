#include "utils/os_version_name.h"

#include <gtest/gtest.h>

#include "platform/os_version.h"

namespace {

TEST(WindowsVersionName, NamesTheVersionNumbers) {
    struct Case {
        uint32_t major, minor, build;
        bool serverR2;
        std::wstring_view expected;
    };
    const Case cases[] = {
        {10, 0, 22000, false, L"10"},
        {10, 1, 0, false, L"10+"},
        {6, 3, 9600, false, L"8.1"},
        {6, 4, 0, false, L"8.1+"},
        {6, 2, 9200, false, L"8"},
        {6, 1, 7601, false, L"7"},
        {6, 0, 6002, false, L"Vista"},
        {5, 3, 0, false, L"XP+"},
        {5, 2, 3790, true, L"Server 2003 R2"},
        {5, 2, 3790, false, L"Server 2003"},
        {5, 1, 2600, false, L"XP"},
        {5, 0, 2195, false, L"2K"},
        {4, 0, 1381, false, L"XP-"},
        {0, 0, 0, false, L"XP-"},
        {11, 2, 300, false, L"11.2.300"},
        {7, 0, 0x1234FFFF, false, L"7.0.65535"},  // only the low 16 bits of the build
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowsVersionName(c.major, c.minor, c.build, c.serverR2), c.expected)
            << c.major << "." << c.minor << "." << c.build;
    }
}

TEST(GetOsVersionName, GivesTheLinuxFamilyAndKernelRelease) {
    std::wstring family, name;
    GetOsVersionName(family, name);
    EXPECT_EQ(family, L"Linux");
    EXPECT_EQ(name, platform::QueryOsVersion().versionName);
    EXPECT_FALSE(name.empty());
}

}  // namespace
