#include "markup/skin_package.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markup/skin_package_state.h"
#include "platform/resources.h"
#include "skin_package_bytes.h"

namespace Skin {
namespace {

TEST(SkinPackage, HoldsTheSixSkinFilesAtTheRootInArchiveOrder) {
    const SkinPackage package = OpenShippedPackage();
    std::vector<std::wstring> skinFiles;
    for (const SkinPackageEntry& entry : package.entries()) {
        EXPECT_EQ(entry.size, entry.data.size());
        EXPECT_GT(entry.size, 0u) << entry.index;
        if (entry.name.find(L'/') == std::wstring::npos)
            skinFiles.push_back(entry.name);
        else
            EXPECT_TRUE(entry.name.starts_with(L"res/"));
    }
    EXPECT_EQ(skinFiles, (std::vector<std::wstring>{
                             L"mainWnd.xml", L"MessageBox1Wnd.xml", L"MessageBox2Wnd.xml",
                             L"NetworkTipWnd.xml", L"exitTipWnd.xml", L"InstalledPathTipWnd.xml"}));
    for (size_t i = 1; i < package.entries().size(); ++i) {
        EXPECT_LT(package.entries()[i - 1].index, package.entries()[i].index);
    }
}

TEST(SkinPackage, FindMemberIgnoresCaseAndSeparatorButNotLength) {
    const SkinPackage package = OpenShippedPackage();
    const auto main = package.FindMember(L"mainWnd.xml");
    ASSERT_TRUE(main);
    struct Case {
        const wchar_t* name;
        const wchar_t* sameAs;  // null: not found
    };
    const Case cases[] = {
        {L"MainWnd.xml", L"mainWnd.xml"},
        {L"MAINWND.XML", L"mainWnd.xml"},
        {L"ExitTipWnd.xml", L"exitTipWnd.xml"},
        {L"res\\mainWnd\\bg1.png", L"res/mainWnd/bg1.png"},
        {L"res/mainwnd\\BG1.png", L"res/mainWnd/bg1.png"},
        {L"MainWnd.xm", nullptr},
        {L"MainWnd.xml ", nullptr},
        {L"/mainWnd.xml", nullptr},
        {L"res", nullptr},
        {L"res/mainWnd", nullptr},
        {L"res\\common\\closebtn4.png", nullptr},
        {L"", nullptr},
    };
    for (const Case& c : cases) {
        const auto found = package.FindMember(c.name);
        if (!c.sameAs) {
            EXPECT_FALSE(found) << std::wstring(c.name).size();
            continue;
        }
        const auto expected = package.FindMember(c.sameAs);
        ASSERT_TRUE(found && expected) << std::wstring(c.name).size();
        EXPECT_EQ(found->index, expected->index);
        EXPECT_EQ(found->size, expected->size);
    }
}

TEST(SkinPackage, ReadMemberCopiesTheBytesAndRejectsUnknownIndexes) {
    const SkinPackage package = OpenShippedPackage();
    const auto member = package.FindMember(L"NetworkTipWnd.xml");
    ASSERT_TRUE(member);
    const auto bytes = package.ReadMember(member->index);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), member->size);
    const std::string text(bytes->begin(), bytes->end());
    EXPECT_NE(text.find("\xE5\xBD\x93\xE5\x89\x8D\xE7\xBD\x91\xE7\xBB\x9C"),
              std::string::npos);  // 当前网络
    EXPECT_FALSE(package.ReadMember(package.entries().back().index + 1));
}

TEST(SkinPackage, OpenRejectsWhatIsNotA7zArchive) {
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {'P', 'K', 3, 4, 0, 0, 0, 0},
        {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C, 0, 4, 1, 2, 3},
    };
    for (const auto& bytes : broken) {
        std::string error;
        EXPECT_FALSE(SkinPackage::Open(bytes, &error));
        EXPECT_FALSE(error.empty());
    }
    // A truncated copy of the real package.
    const auto whole = ShippedPackageBytes();
    EXPECT_FALSE(SkinPackage::Open(whole.first(whole.size() / 2)));
}

TEST(SkinPackageState, OpensTheResourcePackageOnceAndLoadsSkinFiles) {
    CSkinPackageState state;
    EXPECT_EQ(state.packageName(), L"");
    ASSERT_TRUE(state.OpenResourcePackage());
    EXPECT_EQ(state.packageName(), L"membuffer");
    const SkinPackage* first = state.package();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(state.OpenResourcePackage());
    EXPECT_EQ(state.package(), first);

    const SkinFileResult main = state.LoadSkinFile(L"MainWnd.xml");
    ASSERT_TRUE(main.ok()) << main.error.size();
    ASSERT_NE(main.document.root(), nullptr);
    EXPECT_EQ(main.document.root()->name, L"Window");

    const SkinFileResult missing = state.LoadSkinFile(L"NoSuchWnd.xml");
    EXPECT_EQ(missing.error, L"Could not find ziped file");
    EXPECT_EQ(missing.document.root(), nullptr);
}

TEST(SkinPackageState, BytesThatDoNotOpenLeaveThePackageUnusable) {
    CSkinPackageState state;
    const uint8_t garbage[] = {1, 2, 3, 4};
    state.OpenPackageFromMemory(garbage);
    EXPECT_EQ(state.packageName(), L"membuffer");
    EXPECT_EQ(state.package(), nullptr);
    EXPECT_EQ(state.LoadSkinFile(L"mainWnd.xml").error, L"Error opening zip file");
    EXPECT_TRUE(state.OpenResourcePackage());  // a package is set: nothing is done
    EXPECT_EQ(state.package(), nullptr);
}

TEST(SkinPackageState, ResourceTable) {
    const auto package = platform::FindResource(147, L"ZIPRES");
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(platform::FindResource(147, L"zipres"), package);
    EXPECT_EQ(platform::FindResource(146, L"ZIPRES"), nullptr);
    EXPECT_EQ(platform::FindResource(147, L"ICON"), nullptr);
    const auto icon = platform::FindResource(145, L"ICON");
    ASSERT_NE(icon, nullptr);
    const auto* iconBytes = static_cast<const uint8_t*>(platform::LoadResource(icon));
    ASSERT_GT(platform::SizeofResource(icon), 8u);
    EXPECT_EQ(std::string(iconBytes + 1, iconBytes + 4), "PNG");
    EXPECT_EQ(platform::LoadResource(nullptr), nullptr);
    EXPECT_EQ(platform::SizeofResource(nullptr), 0u);
}

}  // namespace
}  // namespace Skin
