#include "platform/special_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "scratch_home.h"
#include "wide_path.h"

namespace {

using platform::SpecialFolder;

std::wstring Folder(SpecialFolder folder) {
    std::wstring path;
    EXPECT_TRUE(platform::GetSpecialFolderPath(folder, path));
    return path;
}

TEST(SpecialFolders, FollowTheUserFolders) {
    test_support::ScratchHome home;
    const bool root = ::geteuid() == 0;
    EXPECT_EQ(Folder(SpecialFolder::AppData), test_support::Wide(home.data()));
    EXPECT_EQ(Folder(SpecialFolder::LocalAppData), test_support::Wide(home.data()));
    const std::wstring programFiles =
        root ? L"/opt" : test_support::Wide(home.home() / ".local/opt");
    EXPECT_EQ(Folder(SpecialFolder::ProgramFiles), programFiles);
    EXPECT_EQ(Folder(SpecialFolder::ProgramFilesX86), programFiles);
    EXPECT_EQ(Folder(SpecialFolder::CommonDocuments),
              root ? L"/var/lib" : test_support::Wide(home.data()));
    std::wstring config;
    ASSERT_TRUE(platform::GetConfigFolder(config));
    EXPECT_EQ(config, test_support::Wide(home.config()));

    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Folder(SpecialFolder::AppData), test_support::Wide(home.home() / ".local/share"));
    ASSERT_TRUE(platform::GetConfigFolder(config));
    EXPECT_EQ(config, test_support::Wide(home.home() / ".config"));
}

TEST(SpecialFolders, DesktopComesFromTheUserDirsFile) {
    test_support::ScratchHome home;
    EXPECT_EQ(Folder(SpecialFolder::Desktop), test_support::Wide(home.home() / "Desktop"));
    std::ofstream(home.config() / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n";
    EXPECT_EQ(Folder(SpecialFolder::Desktop), test_support::Wide(home.home() / "桌面"));
}

TEST(SpecialFolders, AppDataIsReadableOnlyAsTheConsoleUser) {
    test_support::ScratchHome home;
    unsetenv("SUDO_USER");
    std::wstring path;
    ASSERT_TRUE(platform::GetAppDataVariable(path));
    EXPECT_EQ(path, test_support::Wide(home.data()));
    setenv("SUDO_USER", "somebody-else", 1);
    EXPECT_FALSE(platform::GetAppDataVariable(path));
    unsetenv("SUDO_USER");
}

}  // namespace
