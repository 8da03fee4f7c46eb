#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "markup/image_description.h"
#include "markup/markup_values.h"
#include "markup/resource_elements.h"
#include "markup/skin_package_state.h"
#include "skin_package_bytes.h"

namespace Skin {
namespace {

using NamedElements = std::map<std::wstring, std::wstring>;  // name -> tag

// The Window element's look: size, caption band, corners and shadow.
struct WindowLook {
    IntSize size;
    int captionHeight;
    IntSize roundCorner;
    const wchar_t* shadowDarkness;
    const wchar_t* shadowColor;
};
constexpr WindowLook kMainLook = {{600, 400}, 35, {1, 0}, L"20", L"#26003B76"};
constexpr WindowLook kDialogLook = {{360, 180}, 30, {2, 2}, L"20", L"#26003B76"};
constexpr WindowLook kInstalledTipLook = {{400, 180}, 30, {1, 0}, L"10", L"#FFEDF0F4"};

struct ShippedSkin {
    const wchar_t* file;  // as the windows ask for it
    WindowLook look;
    NamedElements named;
};

const std::vector<ShippedSkin>& ShippedSkins() {
    const NamedElements messageBox = {
        {L"captionLbl", L"Label"}, {L"closebtn", L"Button"}, {L"textLbl", L"Label"}};
    const NamedElements tip = {
        {L"closebtn", L"Button"}, {L"cancelBtn", L"Button"}, {L"okBtn", L"Button"}};
    static const std::vector<ShippedSkin> skins = {
        {L"MainWnd.xml",
         kMainLook,
         {{L"winCtn", L"VerticalLayout"},
          {L"titleTabLt", L"TabLayout"},
          {L"backBtn", L"Button"},
          {L"titleGrpCtn", L"HorizontalLayout"},
          {L"minbtn", L"Button"},
          {L"closebtn", L"Button"},
          {L"mainTabLt", L"TabLayout"},
          {L"defaultInstallBtn", L"Button"},
          {L"tipLbl", L"Label"},
          {L"treatyCb", L"CheckBox"},
          {L"treatyBtn", L"CheckBox"},
          {L"customeBtn", L"Button"},
          {L"installDirEdit", L"Edit"},
          {L"chDirBtn", L"Button"},
          {L"createDSCb", L"CheckBox"},
          {L"createQSCb", L"CheckBox"},
          {L"customeInstallBtn", L"Button"},
          {L"progressAnLb", L"SequenceLabel"},
          {L"progressLb", L"Label"},
          {L"installPrg", L"Progress"},
          {L"openProduceBtn", L"Button"}}},
        {L"MessageBox1Wnd.xml", kDialogLook, messageBox},
        {L"MessageBox2Wnd.xml", kDialogLook, messageBox},
        {L"NetworkTipWnd.xml", kDialogLook, tip},
        {L"ExitTipWnd.xml",
         kDialogLook,
         {{L"VerticalLayout1", L"VerticalLayout"},
          {L"closebtn", L"Button"},
          {L"abcc", L"Label"},
          {L"okBtn", L"Button"},
          {L"cancelBtn", L"Button"}}},
        {L"InstalledPathTipWnd.xml", kInstalledTipLook, tip},
    };
    return skins;
}

void CollectNames(const MarkupElement& element, NamedElements& names) {
    if (const std::wstring* name = element.FindAttribute(L"name")) {
        EXPECT_TRUE(names.emplace(*name, element.name).second) << "name used twice";
    }
    for (const MarkupElement& child : element.children) CollectNames(child, names);
}

const MarkupElement* FindNamed(const MarkupElement& element, std::wstring_view name) {
    const std::wstring* own = element.FindAttribute(L"name");
    if (own && *own == name) return &element;
    for (const MarkupElement& child : element.children) {
        if (const MarkupElement* found = FindNamed(child, name)) return found;
    }
    return nullptr;
}

// Decoded to RGBA; empty when the bytes are not a picture stb_image reads.
std::vector<stbi_uc> DecodePng(const std::vector<uint8_t>& bytes, int& width, int& height,
                               int& channels) {
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                            &height, &channels, 4);
    if (!pixels) return {};
    std::vector<stbi_uc> rgba(pixels, pixels + static_cast<size_t>(width) * height * 4);
    stbi_image_free(pixels);
    return rgba;
}

class ShippedSkinsTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(state_.OpenResourcePackage()); }
    static CSkinPackageState state_;
};
CSkinPackageState ShippedSkinsTest::state_;

TEST_F(ShippedSkinsTest, EachParsesWithExactlyItsNamedElements) {
    for (const ShippedSkin& skin : ShippedSkins()) {
        SCOPED_TRACE(std::string(skin.file, skin.file + std::wcslen(skin.file)));
        const SkinFileResult loaded = state_.LoadSkinFile(skin.file);
        ASSERT_TRUE(loaded.ok()) << std::string(loaded.error.begin(), loaded.error.end());
        const MarkupElement& window = *loaded.document.root();
        EXPECT_EQ(window.name, L"Window");
        EXPECT_EQ(ParseIntSize(*window.FindAttributeIgnoreCase(L"size")), skin.look.size);
        EXPECT_EQ(ParseIntRect(*window.FindAttributeIgnoreCase(L"caption")),
                  (IntRect{0, 0, 0, skin.look.captionHeight}));
        EXPECT_EQ(ParseIntSize(*window.FindAttributeIgnoreCase(L"roundcorner")),
                  skin.look.roundCorner);
        EXPECT_EQ(*window.FindAttributeIgnoreCase(L"showshadow"), L"true");
        EXPECT_EQ(*window.FindAttributeIgnoreCase(L"shadowsize"), L"6");
        EXPECT_EQ(*window.FindAttributeIgnoreCase(L"shadowsharpness"), L"10");
        EXPECT_EQ(*window.FindAttributeIgnoreCase(L"shadowposition"), L"1,1");
        EXPECT_EQ(*window.FindAttributeIgnoreCase(L"shadowdarkness"), skin.look.shadowDarkness);
        EXPECT_EQ(*window.FindAttributeIgnoreCase(L"shadowcolor"), skin.look.shadowColor);

        NamedElements names;  // of the controls: the resource elements' names are faces
        for (const MarkupElement& child : window.children) {
            if (ResourceElementKindOf(child) == ResourceElementKind::kNone)
                CollectNames(child, names);
        }
        EXPECT_EQ(names, skin.named);
        // Every skin's fonts are the Chinese UI face, one of them the default.
        int defaults = 0;
        for (const MarkupElement& child : window.children) {
            if (child.name != L"Font") continue;
            EXPECT_EQ(*child.FindAttribute(L"name"), L"微软雅黑");
            defaults += child.FindAttribute(L"default") ? 1 : 0;
        }
        EXPECT_EQ(defaults, 1);
    }
}

TEST_F(ShippedSkinsTest, ButtonsAndTextsTheWindowsRelyOn) {
    struct Case {
        const wchar_t* file;
        const wchar_t* name;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"mainWnd.xml", L"defaultInstallBtn", L"立即安装"},
        {L"mainWnd.xml", L"customeInstallBtn", L"立即安装"},
        {L"mainWnd.xml", L"openProduceBtn", L"立即体验"},
        {L"mainWnd.xml", L"customeBtn", L"自定义安装"},
        {L"mainWnd.xml", L"treatyCb", L"已同意"},
        {L"mainWnd.xml", L"treatyBtn", L"《用户许可协议》"},
        {L"mainWnd.xml", L"chDirBtn", L"修改"},
        {L"mainWnd.xml", L"createDSCb", L"创建桌面快捷方式"},
        {L"mainWnd.xml", L"createQSCb", L"添加到快速启动栏"},
        {L"mainWnd.xml", L"progressLb", L"正在安装中:0%，请稍候..."},
        {L"NetworkTipWnd.xml", L"cancelBtn", L"稍后再试"},
        {L"NetworkTipWnd.xml", L"okBtn", L"重新安装"},
        {L"exitTipWnd.xml", L"okBtn", L"是"},
        {L"exitTipWnd.xml", L"cancelBtn", L"否"},
        {L"exitTipWnd.xml", L"abcc", L"您确定要退出安装吗？"},
        {L"InstalledPathTipWnd.xml", L"cancelBtn", L"打开软件"},
        {L"InstalledPathTipWnd.xml", L"okBtn", L"安装最新版本"},
        {L"MessageBox1Wnd.xml", L"textLbl", L"TEXT"},
        {L"MessageBox2Wnd.xml", L"captionLbl", L"CAPTION"},
    };
    for (const Case& c : cases) {
        const SkinFileResult loaded = state_.LoadSkinFile(c.file);
        ASSERT_TRUE(loaded.ok());
        const MarkupElement* element = FindNamed(*loaded.document.root(), c.name);
        ASSERT_NE(element, nullptr) << std::wstring(c.name).size();
        EXPECT_EQ(*element->FindAttribute(L"text"), c.text);
    }
}

// Every picture a skin names is in the package, except the disabled-state
// pictures that were never drawn.
TEST_F(ShippedSkinsTest, EveryReferencedImageIsInThePackage) {
    const std::set<std::wstring> imageAttributes = {
        L"bkimage",       L"normalimage",   L"hotimage", L"pushedimage",
        L"disabledimage", L"selectedimage", L"foreimage"};
    std::set<std::wstring> missing;
    int referenced = 0;
    const auto check = [&](const std::wstring& file) {
        ++referenced;
        if (!state_.package()->FindMember(file)) missing.insert(file);
    };
    std::vector<SkinFileResult> documents;
    for (const ShippedSkin& skin : ShippedSkins())
        documents.push_back(state_.LoadSkinFile(skin.file));
    std::vector<const MarkupElement*> stack;
    for (const SkinFileResult& document : documents) stack.push_back(document.document.root());
    while (!stack.empty()) {
        const MarkupElement* element = stack.back();
        stack.pop_back();
        for (const MarkupAttribute& attribute : element->attributes) {
            if (imageAttributes.contains(attribute.name))
                check(ParseImageDescription(attribute.value).file);
            if (attribute.name == L"sequencebkimage") {
                for (int frame = 0; frame < ParseInteger(*element->FindAttribute(L"sequencecount"));
                     ++frame) {
                    wchar_t name[128];
                    std::swprintf(name, 128, L"res/mainWnd/installBtnAnimate/%03d.png", frame);
                    check(name);
                }
            }
        }
        for (const MarkupElement& child : element->children) stack.push_back(&child);
    }
    EXPECT_GT(referenced, 60);
    EXPECT_EQ(missing, (std::set<std::wstring>{L"res\\common\\closebtn4.png",
                                               L"res\\common\\closebtnM_4.png",
                                               L"res\\common\\minbtn4.png"}));
}

TEST_F(ShippedSkinsTest, EveryImageIsAPngOfItsSize) {
    struct Group {
        std::vector<std::wstring> members;
        int width;
        int height;
    };
    std::vector<std::wstring> frames;
    for (int frame = 0; frame < 25; ++frame) {
        wchar_t name[64];
        std::swprintf(name, 64, L"res/mainWnd/installBtnAnimate/%03d.png", frame);
        frames.push_back(name);
    }
    const std::wstring m = L"res/mainWnd/", c = L"res/common/", b = L"res/MessageBoxWnd/";
    const std::vector<Group> groups = {
        {{m + L"bg1.png", m + L"bg2.png", m + L"bg3.png", m + L"bg4.png"}, 600, 400},
        {{m + L"logo.png"}, 290, 70},
        {{m + L"installBtn1.png", m + L"installBtn2.png", m + L"installBtn3.png"}, 234, 50},
        {frames, 158, 158},
        {{m + L"finished.png"}, 80, 80},
        {{m + L"backBtn1.png", m + L"backBtn2.png", m + L"backBtn3.png"}, 64, 30},
        {{m + L"chDirBtn1.png", m + L"chDirBt2.png", m + L"chDirBt3.png"}, 80, 40},
        {{m + L"installDirEdit.png"}, 340, 36},
        {{m + L"installPrg1.png"}, 410, 8},
        {{m + L"installPrg2.png"}, 305, 8},
        {{m + L"Cb1.png", m + L"Cb2.png", m + L"customeBtn1.png", m + L"customeBtn2.png"}, 16, 16},
        {{m + L"tipLbl.png"}, 120, 36},
        {{c + L"minbtn1.png", c + L"minbtn2.png", c + L"minbtn3.png", c + L"closebtn1.png",
          c + L"closebtn2.png", c + L"closebtn3.png", c + L"closebtnM_1.png",
          c + L"closebtnM_2.png", c + L"closebtnM_3.png"},
         24,
         24},
        {{b + L"icoNetwork.png", b + L"icoQuest.png", b + L"icoWarn.png"}, 40, 40},
    };
    size_t images = 0;
    for (const Group& group : groups) {
        for (const std::wstring& member : group.members) {
            SCOPED_TRACE(std::string(member.begin(), member.end()));
            const auto info = state_.package()->FindMember(member);
            ASSERT_TRUE(info);
            const auto bytes = state_.package()->ReadMember(info->index);
            int width = 0, height = 0, channels = 0;
            ASSERT_FALSE(DecodePng(*bytes, width, height, channels).empty())
                << stbi_failure_reason();
            EXPECT_EQ(width, group.width);
            EXPECT_EQ(height, group.height);
            EXPECT_EQ(channels, 4);
            ++images;
        }
    }
    EXPECT_EQ(images, 60u);
    // ...and nothing else is in the package.
    EXPECT_EQ(state_.package()->entries().size(), 60u + 6u);
}

// The progress bar's mask colour must not punch holes in its own pictures.
TEST_F(ShippedSkinsTest, ProgressPicturesHoldNoPixelOfTheirMaskColour) {
    for (const wchar_t* member : {L"res/mainWnd/installPrg1.png", L"res/mainWnd/installPrg2.png"}) {
        const auto bytes =
            state_.package()->ReadMember(state_.package()->FindMember(member)->index);
        int width = 0, height = 0, channels = 0;
        const auto pixels = DecodePng(*bytes, width, height, channels);
        ASSERT_FALSE(pixels.empty());
        int masked = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) {
            masked += pixels[i] == 0xFF && pixels[i + 1] == 0 && pixels[i + 2] == 0 ? 1 : 0;
        }
        EXPECT_EQ(masked, 0);
    }
}

}  // namespace
}  // namespace Skin
