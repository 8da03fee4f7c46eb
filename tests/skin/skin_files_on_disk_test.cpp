#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "markup/skin_package_state.h"
#include "scratch_home.h"

namespace Skin {
namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::wstring Wide(const std::filesystem::path& path) { return path.wstring(); }

// Without a package, skin files come from the resource folder on disk.
TEST(SkinFilesOnDisk, LoadErrorsAndSuccess) {
    test_support::ScratchHome scratch;
    const auto folder = scratch.tmp() / "skins";
    WriteFile(folder / "good.xml", "\xEF\xBB\xBF<Window size=\"360,180\"><Control/></Window>");
    WriteFile(folder / "res" / "deep.xml", "<Window/>");
    WriteFile(folder / "empty.xml", "");
    WriteFile(folder / "limit.xml",
              "<Window/>" + std::string(CSkinPackageState::kMaxSkinFileSize - 9, ' '));
    WriteFile(folder / "large.xml",
              "<Window/>" + std::string(CSkinPackageState::kMaxSkinFileSize - 8, ' '));
    WriteFile(folder / "broken.xml", "<Window size='1'/>");
    std::filesystem::create_directories(folder / "folder.xml");

    CSkinPackageState state;
    state.setResourceFolder(Wide(folder));
    EXPECT_EQ(state.resourceFolder(), Wide(folder) + L"/");
    struct Case {
        const wchar_t* name;
        const wchar_t* error;
    };
    const Case cases[] = {
        {L"good.xml", L""},
        {L"res\\deep.xml", L""},  // the separator of the skins becomes the native one
        {L"limit.xml", L""},      // exactly 4 MiB is still allowed
        {L"missing.xml", L"Error opening file"},
        {L"folder.xml", L"Error opening file"},
        {L"empty.xml", L"File is empty"},
        {L"large.xml", L"File too large"},
        {L"broken.xml", L"Expected attribute value"},
    };
    for (const Case& c : cases) {
        const SkinFileResult result = state.LoadSkinFile(c.name);
        EXPECT_EQ(result.error, c.error) << std::wstring(c.name).size();
        EXPECT_EQ(result.ok(), result.document.root() != nullptr);
    }
    EXPECT_EQ(*state.LoadSkinFile(L"good.xml").document.root()->FindAttribute(L"size"), L"360,180");
}

TEST(SkinFilesOnDisk, ImagesComeFromThePackageFirstThenFromDisk) {
    test_support::ScratchHome scratch;
    const auto picture = scratch.tmp() / "res" / "mainWnd" / "bg1.png";
    WriteFile(picture, "not the packaged one");

    CSkinPackageState withoutPackage;
    const auto fromDisk = withoutPackage.ReadImageFile(Wide(picture));
    ASSERT_TRUE(fromDisk);
    EXPECT_EQ(std::string(fromDisk->begin(), fromDisk->end()), "not the packaged one");
    EXPECT_FALSE(withoutPackage.ReadImageFile(Wide(scratch.tmp() / "none.png")));

    CSkinPackageState withPackage;
    ASSERT_TRUE(withPackage.OpenResourcePackage());
    const auto packaged = withPackage.ReadImageFile(L"res\\mainWnd\\bg1.png");
    ASSERT_TRUE(packaged);
    EXPECT_EQ(std::string(packaged->begin() + 1, packaged->begin() + 4), "PNG");
    // Not a member: tried on disk.
    const auto beside = withPackage.ReadImageFile(Wide(picture));
    ASSERT_TRUE(beside);
    EXPECT_EQ(beside->size(), fromDisk->size());
}

}  // namespace
}  // namespace Skin
