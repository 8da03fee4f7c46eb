#include "markup/markup_values.h"

#include <gtest/gtest.h>

#include "markup/image_description.h"
#include "markup/markup_document.h"
#include "markup/resource_elements.h"

namespace Skin {
namespace {

TEST(MarkupValues, Integers) {
    struct Case {
        const wchar_t* text;
        int expected;
    };
    const Case cases[] = {
        {L"24", 24},
        {L"  -7", -7},
        {L"+5", 5},
        {L"12px", 12},
        {L"", 0},
        {L"abc", 0},
        {L"0x10", 0},
        {L"- 3", 0},
        {L"99999999999", 2147483647},
        {L"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << c.expected;
}

TEST(MarkupValues, ListsAreSeparatedByExactlyOneCharacter) {
    EXPECT_EQ(ParseIntRect(L"0,0,290,0"), (IntRect{0, 0, 290, 0}));
    EXPECT_EQ(ParseIntRect(L"26;0 0x3"), (IntRect{26, 0, 0, 3}));  // any one separator
    EXPECT_EQ(ParseIntRect(L"1,,2,3"), (IntRect{1, 0, 2, 3}));     // ",," leaves a 0 and re-reads
    EXPECT_EQ(ParseIntRect(L"84, 2, 100, 18"), (IntRect{84, 2, 100, 18}));
    EXPECT_EQ(ParseIntRect(L"5"), (IntRect{5, 0, 0, 0}));  // short lists end in zeros
    EXPECT_EQ(ParseIntRect(L""), (IntRect{}));
    EXPECT_EQ(ParseIntSize(L"600,400"), (IntSize{600, 400}));
    EXPECT_EQ(ParseIntSize(L"1,0"), (IntSize{1, 0}));
    EXPECT_EQ(ParseIntSize(L"-20x30"), (IntSize{-20, 30}));
}

TEST(MarkupValues, Colours) {
    struct Case {
        const wchar_t* text;
        uint32_t expected;
    };
    const Case cases[] = {
        {L"#FF1890FF", 0xFF1890FFu},
        {L"0xFF1890FF", 0xFF1890FFu},
        {L"#26003B76", 0x26003B76u},
        {L"  #ffffffff", 0xFFFFFFFFu},
        {L"#00000000", 0u},
        {L"FF0000", 0xFF0000u},
        {L"#0xFF00", 0xFF00u},
        {L"1FFFFFFFF", 0xFFFFFFFFu},
        {L"", 0u},
        {L"##FF", 0u},
        {L"0x", 0u},
        {L"12zz", 0x12u},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.expected) << c.expected;
}

TEST(MarkupValues, BooleansAreExactlyTrue) {
    EXPECT_TRUE(ParseBool(L"true"));
    for (const wchar_t* text : {L"True", L"TRUE", L"1", L" true", L"true ", L"yes", L""}) {
        EXPECT_FALSE(ParseBool(text));
    }
}

TEST(ImageDescription, PlainMemberName) {
    const ImageDescription image = ParseImageDescription(L"res\\mainWnd\\bg1.png");
    ImageDescription expected;
    expected.file = L"res\\mainWnd\\bg1.png";
    EXPECT_EQ(image, expected);
}

TEST(ImageDescription, ItemsOfTheShippedSkins) {
    const ImageDescription button =
        ParseImageDescription(L"file='res\\common\\minbtn1.png' fade='255'");
    EXPECT_EQ(button.file, L"res\\common\\minbtn1.png");
    EXPECT_EQ(button.fade, 255);
    EXPECT_TRUE(button.dest.IsEmpty());

    const ImageDescription check =
        ParseImageDescription(L"file='res\\mainWnd\\Cb2.png' dest='0,1,16,17' ");
    EXPECT_EQ(check.file, L"res\\mainWnd\\Cb2.png");
    EXPECT_EQ(check.dest, (IntRect{0, 1, 16, 17}));
    EXPECT_TRUE(check.source.IsEmpty());

    const ImageDescription track = ParseImageDescription(
        L"file='res\\mainWnd\\installPrg2.png'  corner='2,2,2,2' mask='#FF0000' fade='255' "
        L"hole='false' "
        L"xtiled='false' ytiled='false'");
    ImageDescription expectedTrack;
    expectedTrack.file = L"res\\mainWnd\\installPrg2.png";
    expectedTrack.corner = {2, 2, 2, 2};
    expectedTrack.mask = 0xFF0000;
    EXPECT_EQ(track, expectedTrack);
}

TEST(ImageDescription, EveryKeyAndTheStopRule) {
    const ImageDescription all = ParseImageDescription(
        L"res = 'IDB_X' restype='PNG' color='#FF00FF00' source='1,2,3,4' scale9='5,6,7,8' "
        L"dest='9,10,11,12' mask='00FF00' fade='300' hole='true' xtiled='true' ytiled='true' "
        L"hsl='true' "
        L"other='ignored'");
    EXPECT_EQ(all.file, L"");
    EXPECT_EQ(all.res, L"IDB_X");
    EXPECT_EQ(all.restype, L"PNG");
    EXPECT_EQ(all.color, 0xFF00FF00u);
    EXPECT_EQ(all.dest, (IntRect{9, 10, 11, 12}));
    EXPECT_EQ(all.source, (IntRect{1, 2, 3, 4}));
    EXPECT_EQ(all.corner, (IntRect{5, 6, 7, 8}));
    EXPECT_EQ(all.mask, 0x00FF00u);
    EXPECT_EQ(all.fade, 255);  // clamped
    EXPECT_TRUE(all.hole && all.xtiled && all.ytiled && all.hsl);

    struct Case {
        const wchar_t* value;
        int fade;  // the fade item comes first; what follows the break is never read
    };
    const Case stops[] = {
        {L"fade='10' file=\"a.png\"", 10},  // double quotes are not an item
        {L"fade='10' file='a.png", 10},     // unterminated
        {L"fade='10' junk file='a.png'", 10},
        {L"fade='-5' ='a.png'", 0},
    };
    for (const Case& c : stops) {
        const ImageDescription image = ParseImageDescription(c.value);
        EXPECT_EQ(image.fade, c.fade);
        EXPECT_TRUE(image.file.empty());
    }
}

TEST(ResourceElements, FontDeclarations) {
    const MarkupDocument doc = ParseMarkup(
        L"<Window>"
        L"<Font id=\"3\" name=\"微软雅黑\" underline=\"true\" size=\"14\"/>"
        L"<FONT ID=\"0\" NAME=\"微软雅黑\" Size=\"14\" Default=\"true\" bold=\"true\" "
        L"italic=\"True\"/>"
        L"<Font name=\"微软雅黑\"/>"
        L"<Font id=\"-1\" name=\"x\"/>"
        L"<Font id=\"2\"/>"
        L"<Font id=\"7\" name=\"0123456789012345678901234567890123456789\" size=\"9\" size=\"20\"/>"
        L"<VerticalLayout/>"
        L"</Window>");
    ASSERT_TRUE(doc.ok());
    const auto& children = doc.root()->children;
    FontDeclaration underlined;
    underlined.id = 3;
    underlined.faceName = L"微软雅黑";
    underlined.size = 14;
    underlined.underline = true;
    EXPECT_EQ(ReadFontDeclaration(children[0]), underlined);
    FontDeclaration boldDefault;  // italic="True" is not true
    boldDefault.id = 0;
    boldDefault.faceName = L"微软雅黑";
    boldDefault.size = 14;
    boldDefault.bold = true;
    boldDefault.isDefault = true;
    EXPECT_EQ(ReadFontDeclaration(children[1]), boldDefault);
    EXPECT_EQ(ReadFontDeclaration(children[2]), std::nullopt);  // no id
    EXPECT_EQ(ReadFontDeclaration(children[3]), std::nullopt);  // negative id
    EXPECT_EQ(ReadFontDeclaration(children[4]), std::nullopt);  // no face
    const auto longFace = ReadFontDeclaration(children[5]);
    ASSERT_TRUE(longFace);
    EXPECT_EQ(longFace->faceName, L"0123456789012345678901234567890");
    EXPECT_EQ(longFace->size, 20);  // the later value wins
    EXPECT_EQ(ResourceElementKindOf(children[1]), ResourceElementKind::kFont);
    EXPECT_EQ(ResourceElementKindOf(children[6]), ResourceElementKind::kNone);
}

TEST(ResourceElements, ImageDefaultAndLanguageDeclarations) {
    const MarkupDocument doc = ParseMarkup(
        L"<Window>"
        L"<Image name=\"res/a.png\" restype=\"PNG\" mask=\"#FF00FF\" shared=\"true\"/>"
        L"<Default name=\"Button\" value=\"height=&quot;30&quot;\"/>"
        L"<multilanguage id=\"12\" value=\"立即安装\"/>"
        L"<Image restype=\"PNG\"/><Default value=\"x\"/><MultiLanguage value=\"x\"/>"
        L"</Window>");
    ASSERT_TRUE(doc.ok());
    const auto& c = doc.root()->children;
    const auto image = ReadImageDeclaration(c[0]);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->name, L"res/a.png");
    EXPECT_EQ(image->resourceType, L"PNG");
    EXPECT_EQ(image->mask, 0xFF00FFu);
    EXPECT_TRUE(image->shared);
    const auto defaults = ReadDefaultDeclaration(c[1]);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->tagName, L"Button");
    EXPECT_EQ(defaults->value, L"height=\"30\"");
    const auto attributes = defaults->Attributes();
    ASSERT_EQ(attributes.size(), 1u);
    EXPECT_EQ(attributes[0].name, L"height");
    EXPECT_EQ(attributes[0].value, L"30");
    EXPECT_TRUE((DefaultDeclaration{L"Button", L"height='30'", false}.Attributes().empty()));
    EXPECT_TRUE((DefaultDeclaration{L"Button", L"a=\"1\"/><b", false}.Attributes().empty()));
    EXPECT_EQ((DefaultDeclaration{L"Button", L" a=\"1\"  b = \"x y\" ", false}.Attributes().size()),
              2u);
    EXPECT_EQ(ResourceElementKindOf(c[2]), ResourceElementKind::kMultiLanguage);
    const auto text = ReadLanguageTextDeclaration(c[2]);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->id, 12);
    EXPECT_EQ(text->value, L"立即安装");
    EXPECT_FALSE(ReadImageDeclaration(c[3]));
    EXPECT_FALSE(ReadDefaultDeclaration(c[4]));
    EXPECT_FALSE(ReadLanguageTextDeclaration(c[5]));
}

}  // namespace
}  // namespace Skin
