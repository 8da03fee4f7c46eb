#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scratch_home.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;

TEST(FileSystem, ExistenceCreationAndDeletion) {
    test_support::ScratchHome home;
    const fs::path folder = home.tmp() / "a 中";
    const fs::path file = folder / "f.txt";
    EXPECT_FALSE(platform::PathExists(test_support::Wide(folder)));
    EXPECT_FALSE(platform::CreateDirectory(test_support::Wide(folder / "x" / "y")));
    ASSERT_TRUE(platform::CreateDirectory(test_support::Wide(folder)));
    EXPECT_FALSE(platform::CreateDirectory(test_support::Wide(folder)));
    EXPECT_TRUE(platform::FolderExists(test_support::Wide(folder)));
    EXPECT_FALSE(platform::FileExists(test_support::Wide(folder)));
    std::ofstream(file) << "x";
    EXPECT_TRUE(platform::FileExists(test_support::Wide(file)));
    EXPECT_FALSE(platform::FolderExists(test_support::Wide(file)));
    EXPECT_FALSE(platform::DeleteFile(test_support::Wide(folder)));
    EXPECT_TRUE(platform::DeleteFile(test_support::Wide(file)));
    EXPECT_FALSE(platform::DeleteFile(test_support::Wide(file)));
    EXPECT_FALSE(platform::PathExists(L""));
}

TEST(FileSystem, AtomicWriteAndRead) {
    test_support::ScratchHome home;
    const std::wstring path = test_support::Wide(home.tmp() / "record");
    const std::string bytes("a\0b\xFF", 4);
    ASSERT_TRUE(platform::WriteFileAtomically(path, bytes));
    std::string read;
    ASSERT_TRUE(platform::ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(platform::WriteFileAtomically(path, "second"));
    ASSERT_TRUE(platform::ReadWholeFile(path, read));
    EXPECT_EQ(read, "second");
    EXPECT_FALSE(platform::WriteFileAtomically(test_support::Wide(home.tmp() / "no" / "f"), "x"));
    EXPECT_FALSE(platform::ReadWholeFile(test_support::Wide(home.tmp() / "none"), read));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(home.tmp()), fs::directory_iterator{}), 1);
}

TEST(FileSystem, ResolvePathCaseFindsANameThatDiffersOnlyInCase) {
    test_support::ScratchHome home;
    std::ofstream(home.tmp() / "Set.Ini") << "";
    EXPECT_EQ(platform::ResolvePathCase(test_support::Wide(home.tmp() / "set.ini")),
              test_support::Wide(home.tmp() / "Set.Ini"));
    EXPECT_EQ(platform::ResolvePathCase(test_support::Wide(home.tmp() / "other.ini")),
              test_support::Wide(home.tmp() / "other.ini"));
}

TEST(FileSystem, TempPathEndsWithASlash) {
    test_support::ScratchHome home;
    EXPECT_EQ(platform::GetTempPath(), test_support::Wide(home.tmp()) + L"/");
    unsetenv("TMPDIR");
    EXPECT_EQ(platform::GetTempPath(), L"/tmp/");
}

TEST(FileSystem, FreeSpaceOfAFolderOrItsDeepestExistingAncestor) {
    test_support::ScratchHome home;
    platform::DiskSpace existing, missing;
    ASSERT_TRUE(platform::GetDiskFreeSpaceEx(test_support::Wide(home.tmp()), existing));
    ASSERT_TRUE(platform::GetDiskFreeSpaceEx(
        test_support::Wide(home.tmp() / "not" / "yet" / "made"), missing));
    const fs::space_info reference = fs::space(home.tmp());
    EXPECT_EQ(existing.total, reference.capacity);
    EXPECT_EQ(missing.total, existing.total);
    EXPECT_GT(existing.total, 0u);
    EXPECT_LE(existing.availableToCaller, existing.free);
    EXPECT_LE(existing.free, existing.total);
    // A file in the way is no folder to ask about.
    std::ofstream(home.tmp() / "file") << "";
    EXPECT_TRUE(
        platform::GetDiskFreeSpaceEx(test_support::Wide(home.tmp() / "file" / "below"), missing));
}

}  // namespace
