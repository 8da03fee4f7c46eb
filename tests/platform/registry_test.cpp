#include "platform/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scratch_home.h"

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kKey[] = L"Software\\ZerraSoft\\Brushwell";

TEST(Registry, CreateSetAndQueryInAFileBelowTheConfigFolder) {
    test_support::ScratchHome home;
    platform::RegistryKey key;
    EXPECT_EQ(platform::RegOpenKeyEx(kKey, key), platform::kErrorFileNotFound);
    EXPECT_FALSE(key.IsOpen());
    ASSERT_EQ(platform::RegCreateKeyEx(kKey, key), platform::kErrorSuccess);
    ASSERT_TRUE(key.IsOpen());
    const std::wstring tricky = L"C:\\a b\\中文\tx\ny\\n";
    EXPECT_EQ(platform::RegSetStringValue(key, L"InstallPath", tricky), platform::kErrorSuccess);
    EXPECT_EQ(platform::RegSetStringValue(key, L"Empty", L""), platform::kErrorSuccess);
    EXPECT_EQ(platform::RegSetDwordValue(key, L"Count", 4000000000u), platform::kErrorSuccess);
    EXPECT_EQ(platform::RegSetStringValue(key, L"installpath", L"/opt/Brushwell"),
              platform::kErrorSuccess);

    // Another open of the key, in other case, sees what was written.
    platform::RegistryKey again;
    ASSERT_EQ(platform::RegOpenKeyEx(L"SOFTWARE\\zerrasoft\\BRUSHWELL\\", again),
              platform::kErrorSuccess);
    platform::RegistryValue value;
    ASSERT_EQ(platform::RegQueryValue(again, L"INSTALLPATH", value), platform::kErrorSuccess);
    EXPECT_EQ(value.type, platform::kRegSz);
    EXPECT_EQ(value.text, L"/opt/Brushwell");
    ASSERT_EQ(platform::RegQueryValue(again, L"Empty", value), platform::kErrorSuccess);
    EXPECT_EQ(value.text, L"");
    ASSERT_EQ(platform::RegQueryValue(again, L"Count", value), platform::kErrorSuccess);
    EXPECT_EQ(value.type, platform::kRegDword);
    EXPECT_EQ(value.number, 4000000000u);
    EXPECT_EQ(platform::RegQueryValue(again, L"Missing", value), platform::kErrorFileNotFound);

    EXPECT_EQ(platform::RegSetStringValue(key, L"Tricky", tricky), platform::kErrorSuccess);
    ASSERT_EQ(platform::RegQueryValue(again, L"tricky", value), platform::kErrorSuccess);
    EXPECT_EQ(value.text, tricky);

    EXPECT_EQ(platform::RegDeleteValue(key, L"Empty"), platform::kErrorSuccess);
    EXPECT_EQ(platform::RegQueryValue(key, L"Empty", value), platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegDeleteValue(key, L"Empty"), platform::kErrorFileNotFound);

    // One file for the key, below the configuration folder, and nothing else.
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(home.config())) {
        if (entry.is_regular_file()) ++files;
    }
    EXPECT_EQ(files, 1u);
    EXPECT_TRUE(fs::is_regular_file(home.config() / "registry" / "hkey_current_user" / "software" /
                                    "zerrasoft" / "brushwell.key"));
    EXPECT_TRUE(fs::is_empty(home.home()));
}

TEST(Registry, KeysAreSeparateAndBadPathsAreRefused) {
    test_support::ScratchHome home;
    platform::RegistryKey parent, child;
    ASSERT_EQ(platform::RegCreateKeyEx(L"Software\\A", parent), platform::kErrorSuccess);
    ASSERT_EQ(platform::RegCreateKeyEx(L"Software\\A\\B", child), platform::kErrorSuccess);
    ASSERT_EQ(platform::RegSetStringValue(parent, L"v", L"parent"), platform::kErrorSuccess);
    platform::RegistryValue value;
    EXPECT_EQ(platform::RegQueryValue(child, L"v", value), platform::kErrorFileNotFound);

    platform::RegistryKey bad;
    for (const wchar_t* path : {L"", L"\\", L"Software\\..\\x", L"Software\\a/b"}) {
        EXPECT_EQ(platform::RegCreateKeyEx(path, bad), platform::kErrorInvalidParameter) << path;
    }
    EXPECT_EQ(platform::RegSetStringValue(bad, L"v", L"x"), platform::kErrorInvalidParameter);
}

TEST(Registry, AKeyFileThatCannotBeWrittenIsAccessDenied) {
    test_support::ScratchHome home;
    // A file where the store needs a folder makes creation fail for any user.
    std::ofstream(home.config() / "registry") << "not a folder";
    platform::RegistryKey key;
    EXPECT_EQ(platform::RegCreateKeyEx(kKey, key), platform::kErrorAccessDenied);
    EXPECT_FALSE(key.IsOpen());
}

}  // namespace
