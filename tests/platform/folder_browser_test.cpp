#include "platform/folder_browser.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "scratch_home.h"
#include "script_file.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;

// Stand-ins for the folder choosers on a PATH of their own; each writes its
// arguments, one a line, to a file named after it.
class FolderBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath = path ? path : "";
        fs::create_directories(bin);
        setenv("PATH", bin.c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }

    void Chooser(const std::string& name, const std::string& answer, int status) {
        test_support::WriteShellScript(bin / name,
                                       "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                           (home.root() / name).string() + "'\nprintf '%s\\n' '" +
                                           answer + "'\nexit " + std::to_string(status) + "\n",
                                       true);
    }

    test_support::ScratchHome home;
    fs::path bin = home.root() / "bin";
    std::string savedPath;
};

TEST_F(FolderBrowser, TheChosenFolderComesBackAsTyped) {
    Chooser("zenity", "/tmp/a b/$(x) \"画\"", 0);
    std::wstring folder;
    ASSERT_TRUE(platform::BrowseForFolder(nullptr, L"选择一个文件夹", folder));
    EXPECT_EQ(folder, L"/tmp/a b/$(x) \"画\"");
    EXPECT_EQ(
        test_support::ReadLines(home.root() / "zenity"),
        (std::vector<std::string>{"--file-selection", "--directory", "--title=选择一个文件夹"}));
}

TEST_F(FolderBrowser, CancelOrNoChooserGivesNothing) {
    std::wstring folder = L"unchanged";
    EXPECT_FALSE(platform::BrowseForFolder(nullptr, L"t", folder));

    Chooser("kdialog", "/srv/picked", 0);
    EXPECT_TRUE(platform::BrowseForFolder(nullptr, L"t", folder));
    EXPECT_EQ(folder, L"/srv/picked");

    // A cancelled zenity is the user's answer: kdialog is not asked as well.
    fs::remove(home.root() / "kdialog");
    Chooser("zenity", "", 1);
    folder = L"unchanged";
    EXPECT_FALSE(platform::BrowseForFolder(nullptr, L"t", folder));
    EXPECT_EQ(folder, L"unchanged");
    EXPECT_FALSE(fs::exists(home.root() / "kdialog"));
}

}  // namespace
