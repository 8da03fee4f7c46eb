#include "ui/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "headless_frame.h"
#include "markup/skin_package_state.h"
#include "seven_zip_package.h"
#include "skin/label.h"

namespace ui_test {
namespace {

using Members = std::vector<std::pair<std::string, std::string>>;

const char kLanguageFile[] = R"([
  {"id": 104, "en-US": "Not enough disk space", "zh-CN": "磁盘空间不足", "zh-TW": "磁碟空間不足"},
  {"id": 1, "en-US": "Language", "zh-CN": "语言", "zh-TW": "語言"},
  {"id": 2, "en-US": "Install to", "zh-CN": "安装到"},
  {"en-US": "no id", "zh-CN": "无编号", "zh-TW": "無編號"},
  {"id": "seven", "en-US": "an id that is no number"},
  "not an object"
])";

// A skin whose three refitted controls start too narrow for any text.
const char kLanguageSkin[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="300,100">
  <Font id="0" name="微软雅黑" size="14" default="true" />
  <HorizontalLayout>
    <Label name="lbLanguage" text="Language" width="5" textpadding="3,0,0,0" />
    <Label name="lbInstallPath" text="Install to /opt/brushwell" width="5" />
    <Button name="backBtn" text="Back" width="5" textpadding="7,0,0,0" />
    <Label name="otherLbl" text="untouched" width="5" />
  </HorizontalLayout>
</Window>)";

// Text 104 "big", padded with spaces to that many bytes.
std::string LanguageFileOfSize(size_t size) {
    std::string json = R"([{"id":104,"en-US":"big"}])";
    json.resize(size, ' ');
    return json;
}

Skin::CSkinPackageState PackageState(const Members& members) {
    Skin::CSkinPackageState state;
    const std::vector<uint8_t> bytes = SevenZipPackage(members);
    state.OpenPackageFromMemory(bytes);
    EXPECT_NE(state.package(), nullptr);
    return state;
}

class LanguageTest : public toolkit_test::HeadlessTest {
protected:
    // This process's skin package carries the language file and a skin.
    void SetUp() override {
        HeadlessTest::SetUp();
        const std::vector<uint8_t> bytes =
            SevenZipPackage({{"LanguageWnd.xml", kLanguageSkin}, {"language.json", kLanguageFile}});
        Skin::ProcessSkinPackageState().OpenPackageFromMemory(bytes);
        ASSERT_NE(Skin::ProcessSkinPackageState().package(), nullptr);
    }

    void WriteConfig(const std::filesystem::path& file, const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
};

TEST_F(LanguageTest, UnusableLanguageFilesLoadNothingAndGiveIndexZero) {
    struct Case {
        const char* what;
        Members members;
    };
    const Case cases[] = {
        {"no language file", {{"MessageBox1Wnd.xml", kLanguageSkin}}},
        {"an empty one", {{"language.json", ""}}},
        {"one above 4 MiB", {{"language.json", LanguageFileOfSize(0x400001)}}},
    };
    Skin::WindowManager::AddMultiLanguageString(104, L"as it was");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Skin::CSkinPackageState state = PackageState(c.members);
        EXPECT_EQ(LoadLanguage(state, 2, L""), 0);
        EXPECT_EQ(LoadLanguage(state, 1, L"zh-TW"), 0);
        EXPECT_EQ(LanguageText(104), L"as it was");
    }
    EXPECT_EQ(LoadLanguage(Skin::CSkinPackageState(), 2, L""), 0);  // no package at all
}

TEST_F(LanguageTest, AFileOfExactly4MiBIsRead) {
    const Skin::CSkinPackageState state =
        PackageState({{"language.json", LanguageFileOfSize(0x400000)}});
    EXPECT_EQ(LoadLanguage(state, 0, L""), 0);
    EXPECT_EQ(LanguageText(104), L"big");
}

TEST_F(LanguageTest, AMalformedFileResolvesTheIndexAndLoadsNothing) {
    const Skin::CSkinPackageState state =
        PackageState({{"language.json", R"([{"id": 104, "zh-CN": "坏的")"}});
    Skin::WindowManager::AddMultiLanguageString(104, L"as it was");
    EXPECT_EQ(LoadLanguage(state, 1, L""), 1);
    EXPECT_EQ(LoadLanguage(state, 0, L"zh-TW"), 2);
    EXPECT_EQ(LanguageText(104), L"as it was");
}

TEST_F(LanguageTest, TheCodeWinsWhenItMatchesExactlyAndTheIndexOtherwise) {
    struct Case {
        int index;
        const wchar_t* code;
        int resolved;
        std::wstring text104;
    };
    const Case cases[] = {
        {0, L"zh-TW", 2, L"磁碟空間不足"},      {2, L"zh-CN", 1, L"磁盘空间不足"},
        {1, L"zh-cn", 1, L"磁盘空间不足"},  // letter case matters
        {2, L"", 2, L"磁碟空間不足"},           {7, L"", 0, L"Not enough disk space"},
        {-1, L"", 0, L"Not enough disk space"}, {2, L"en-US", 0, L"Not enough disk space"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.code)) + " index " +
                     std::to_string(c.index));
        EXPECT_EQ(LoadLanguage(c.index, c.code), c.resolved);
        EXPECT_EQ(LanguageText(104), c.text104);
    }
    EXPECT_EQ(LanguageCodeOf(0), L"en-US");
    EXPECT_EQ(LanguageCodeOf(1), L"zh-CN");
    EXPECT_EQ(LanguageCodeOf(2), L"zh-TW");
    EXPECT_EQ(LanguageCodeOf(3), L"");
    EXPECT_EQ(LanguageCodeOf(-1), L"");
}

TEST_F(LanguageTest, ElementsRegisterUnderTheirIdWithEmptyTextForAMissingLanguage) {
    EXPECT_EQ(LoadLanguage(1, L""), 1);
    EXPECT_EQ(LanguageText(1), L"语言");
    EXPECT_EQ(LanguageText(2), L"安装到");
    EXPECT_EQ(LanguageText(0), L"无编号");  // no "id": id 0
    EXPECT_EQ(LoadLanguage(2, L""), 2);
    EXPECT_EQ(LanguageText(2), L"");  // no zh-TW member: empty, replacing the earlier text
    EXPECT_EQ(LanguageText(0), L"無編號");
    EXPECT_EQ(LanguageText(3), L"");  // never registered
    EXPECT_EQ(LanguageText(7), L"");  // "id" that is no number: skipped

    // Any container of objects will do.
    const Skin::CSkinPackageState state =
        PackageState({{"language.json", R"({"a": {"id": 9, "en-US": "from an object"}, "b": 5})"}});
    EXPECT_EQ(LoadLanguage(state, 0, L""), 0);
    EXPECT_EQ(LanguageText(9), L"from an object");
}

TEST_F(LanguageTest, AnInstallationsConfigChoosesItsLanguage) {
    const std::filesystem::path folder = home_.data() / "Brushwell";
    struct Case {
        const char* what;
        const char* fileName;
        std::string text;
        int index;
    };
    const Case cases[] = {
        {"recorded zh-TW", "config.ini", "[Install]\nLanguage=zh-TW\n", 2},
        {"recorded zh-CN, file name in other letter case", "Config.INI",
         "[install]\nlanguage = zh-CN\n", 1},
        {"no Language key: en-US", "config.ini", "[Install]\nOther=1\n", 0},
        {"unknown code: index 0 stays", "config.ini", "[Install]\nLanguage=fr-FR\n", 0},
        {"no config.ini", nullptr, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        if (c.fileName != nullptr) WriteConfig(folder / c.fileName, c.text);
        EXPECT_EQ(LanguageOfInstallation(folder.wstring()), c.index);
    }
    EXPECT_EQ(LanguageOfInstallation((home_.data() / "missing").wstring()), 0);
}

class LanguageWindow : public Skin::CSkinFrame {
public:
    LanguageWindow()
        : CSkinFrame({Skin::kSkinFromPackageResource, 147, L"", L"LanguageWnd.xml", L"Lang"}) {}
};

TEST_F(LanguageTest, ApplyingALanguageRefitsTheThreeLabelsToTheirTexts) {
    LanguageWindow window;
    ASSERT_NE(window.Create(nullptr, L"language", 0, 0, 0, 0, 0, 0), nullptr);
    Skin::WindowManager& manager = window.manager();
    Skin::PumpMessages();
    ApplyLanguage(manager, 1);
    EXPECT_EQ(LanguageText(104), L"磁盘空间不足");
    Skin::Font* font = manager.GetFont(-1);
    ASSERT_NE(font, nullptr);
    struct Fit {
        const wchar_t* name;
        int padding;
    };
    for (const Fit& fit : {Fit{L"lbLanguage", 3}, Fit{L"lbInstallPath", 0}, Fit{L"backBtn", 7}}) {
        auto* label = dynamic_cast<Skin::CLabel*>(manager.FindControl(fit.name));
        ASSERT_NE(label, nullptr);
        const int textWidth =
            Skin::MeasureText(*font, label->GetText(), 0, label->GetTextStyle()).cx;
        EXPECT_GT(textWidth, 5);
        EXPECT_EQ(label->GetFixedWidth(), textWidth + fit.padding) << fit.name;
    }
    EXPECT_EQ(manager.FindControl(L"otherLbl")->GetFixedWidth(), 5);
}

}  // namespace
}  // namespace ui_test
