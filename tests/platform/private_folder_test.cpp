#include "platform/private_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/text.h"
#include "scratch_home.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using test_support::Wide;

TEST(PrivateFolder, OnlyAFolderOfOursThatNobodyElseWritesCounts) {
    test_support::ScratchHome home;
    const fs::path work = home.tmp() / "work";
    ASSERT_TRUE(platform::CreatePrivateDirectory(Wide(work)));
    EXPECT_EQ(fs::status(work).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(platform::IsPrivateDirectory(Wide(work)));
    EXPECT_FALSE(platform::CreatePrivateDirectory(Wide(work)));  // exists already

    const fs::path link = home.tmp() / "link";
    fs::create_directory_symlink(work, link);
    EXPECT_FALSE(platform::IsPrivateDirectory(Wide(link)));

    const fs::path shared = home.tmp() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all);
    EXPECT_FALSE(platform::IsPrivateDirectory(Wide(shared)));
    EXPECT_FALSE(platform::IsPrivateDirectory(Wide(home.tmp() / "missing")));
}

TEST(PrivateFolder, AFolderOfAnotherUserDoesNotCount) {
    if (geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
    test_support::ScratchHome home;
    const fs::path theirs = home.tmp() / "theirs";
    fs::create_directory(theirs);
    fs::permissions(theirs, fs::perms::owner_all, fs::perm_options::replace);
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(chown(theirs.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    EXPECT_FALSE(platform::IsPrivateDirectory(Wide(theirs)));
}

}  // namespace
