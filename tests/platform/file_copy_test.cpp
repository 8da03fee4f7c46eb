#include "platform/file_copy.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/text.h"
#include "scratch_home.h"
#include "script_file.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using test_support::Wide;

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

size_t EntriesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(CopyFile, CopiesBytesAndPermissionsAndReplacesAnOldCopy) {
    test_support::ScratchHome home;
    const auto source = home.tmp() / "uninst.ep";
    const auto target = home.tmp() / "Brushwell_un_asa.exe";
    std::string bytes(200 * 1024, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    Write(source, bytes);
    fs::permissions(source, fs::perms::owner_all);
    Write(target, "old copy");

    ASSERT_TRUE(platform::CopyFile(Wide(source), Wide(target), false));
    EXPECT_EQ(test_support::ReadText(target), bytes);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_all);
    EXPECT_EQ(EntriesIn(home.tmp()), 2u);  // no staging file left behind
}

TEST(CopyFile, FailIfExistsKeepsTheTargetAndMissingSourcesFail) {
    test_support::ScratchHome home;
    const auto source = home.tmp() / "a";
    const auto target = home.tmp() / "b";
    Write(source, "new");
    Write(target, "kept");
    EXPECT_FALSE(platform::CopyFile(Wide(source), Wide(target), true));
    EXPECT_EQ(test_support::ReadText(target), "kept");
    EXPECT_TRUE(platform::CopyFile(Wide(source), Wide(home.tmp() / "c"), true));
    EXPECT_EQ(test_support::ReadText(home.tmp() / "c"), "new");

    EXPECT_FALSE(platform::CopyFile(Wide(home.tmp() / "missing"), Wide(target), false));
    EXPECT_FALSE(platform::CopyFile(Wide(home.tmp()), Wide(target), false));  // a folder
    EXPECT_FALSE(platform::CopyFile(Wide(source), Wide(home.tmp() / "no" / "dir"), false));
    EXPECT_EQ(test_support::ReadText(target), "kept");
    EXPECT_EQ(EntriesIn(home.tmp()), 3u);
}

}  // namespace
