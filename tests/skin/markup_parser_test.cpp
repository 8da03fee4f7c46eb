#include <gtest/gtest.h>

#include <string>

#include "markup/markup_document.h"

namespace Skin {
namespace {

TEST(MarkupParser, BuildsTreeWithAttributesInDocumentOrder) {
    const MarkupDocument doc = ParseMarkup(
        L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        L"<!-- the main window -->\n"
        L"<Window size=\"600,400\" caption = \"0,0,0,35\">\n"
        L"  <Font id=\"0\" name=\"微软雅黑\"/>\n"
        L"  <!-- a comment between children -->\n"
        L"  <VerticalLayout name=\"winCtn\">\n"
        L"    <Button name=\"a\" /><Control></Control>\n"
        L"  </VerticalLayout>\n"
        L"</Window>\n");
    ASSERT_TRUE(doc.ok()) << std::string(doc.error().begin(), doc.error().end());
    const MarkupElement* root = doc.root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->name, L"Window");
    ASSERT_EQ(root->attributes.size(), 2u);
    EXPECT_EQ(root->attributes[0].name, L"size");
    EXPECT_EQ(root->attributes[0].value, L"600,400");
    EXPECT_EQ(root->attributes[1].name, L"caption");
    EXPECT_EQ(root->attributes[1].value, L"0,0,0,35");
    ASSERT_EQ(root->children.size(), 2u);
    EXPECT_EQ(root->children[0].name, L"Font");
    EXPECT_EQ(*root->children[0].FindAttribute(L"name"), L"微软雅黑");
    const MarkupElement& layout = root->children[1];
    ASSERT_EQ(layout.children.size(), 2u);
    EXPECT_EQ(layout.children[0].name, L"Button");
    EXPECT_EQ(layout.children[1].name, L"Control");
    EXPECT_TRUE(layout.children[1].children.empty());
}

TEST(MarkupParser, AttributeLookupCaseRules) {
    const MarkupDocument doc = ParseMarkup(L"<Font ID=\"3\" id=\"4\" Name=\"x\"/>");
    ASSERT_TRUE(doc.ok());
    const MarkupElement& font = *doc.root();
    EXPECT_EQ(*font.FindAttribute(L"id"), L"4");
    EXPECT_EQ(*font.FindAttributeIgnoreCase(L"id"), L"3");  // first match
    EXPECT_EQ(font.FindAttribute(L"name"), nullptr);
    EXPECT_EQ(*font.FindAttributeIgnoreCase(L"NAME"), L"x");
}

TEST(MarkupParser, EntitiesAndWhiteSpaceInValuesAndText) {
    struct Case {
        const wchar_t* value;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"a &amp; b", L"a & b"},
        {L"&lt;&gt;&quot;&apos;", L"<>\"'"},
        {L"&nbsp; &#39; & &amp", L"&nbsp; &#39; & &amp"},  // unknown ones stay
        {L"&amp;lt;", L"&lt;"},                            // replaced once
        {L"a   b", L"a b"},                                // runs after a space collapse
        {L"a \t\n b", L"a b"},
        {L"a\tb\n\nc", L"a\tb\n\nc"},  // no space before: kept
        {L"  lead", L" lead"},
        {L"正在安装中:0%，请稍候...", L"正在安装中:0%，请稍候..."},
    };
    for (const Case& c : cases) {
        const std::wstring markup =
            std::wstring(L"<Label text=\"") + c.value + L"\">" + c.value + L"</Label>";
        const MarkupDocument doc = ParseMarkup(markup);
        ASSERT_TRUE(doc.ok()) << std::wstring(c.value).size();
        EXPECT_EQ(doc.root()->attributes.at(0).value, c.expected);
        EXPECT_EQ(doc.root()->text, c.expected);
    }
}

TEST(MarkupParser, KeepsAtMost64Attributes) {
    std::wstring markup = L"<Control";
    for (int i = 0; i < 70; ++i)
        markup += L" a" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
    markup += L"/>";
    const MarkupDocument doc = ParseMarkup(markup);
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(doc.root()->attributes.size(), MarkupElement::kMaxAttributes);
    EXPECT_EQ(doc.root()->attributes.back().name, L"a63");
    EXPECT_EQ(doc.root()->FindAttribute(L"a64"), nullptr);
}

// Each broken document fails with its text; the location is the text from where
// the fault was found, at most 49 characters.
TEST(MarkupParser, ErrorTable) {
    struct Case {
        const wchar_t* markup;
        const wchar_t* error;
        const wchar_t* locationStart;
    };
    const Case cases[] = {
        {L"", L"Expected start tag", L""},
        {L"  \r\n <!-- only a comment -->", L"Expected start tag", L""},
        {L"Window", L"Expected start tag", L"Window"},
        {L"<Window/> trailing", L"Expected start tag", L"trailing"},
        {L"< />", L"Error parsing element name", L"/>"},
        {L"<-Window/>", L"Error parsing element name", L"-Window"},
        {L"<Window size/>", L"Error while parsing attributes", L"/>"},
        {L"<Window size \"1\"/>", L"Error while parsing attributes", L"\"1\""},
        {L"<Window size='600,400'/>", L"Expected attribute value", L"'600,400'"},
        {L"<Window size=600/>", L"Expected attribute value", L"600/>"},
        {L"<Window size=\"600,400/>", L"Error while parsing attribute string", L""},
        {L"<Window size=\"1\" /x>", L"Expected start-tag closing", L"/x>"},
        {L"<Window size=\"1\"", L"Expected start-tag closing", L""},
        {L"<Window>", L"Expected end-tag start", L""},
        {L"<Window><Control>text", L"Expected end-tag start", L""},
        {L"<Window></window>", L"Unmatched closing tag", L"window>"},
        {L"<Window><Control></Window></Control>", L"Unmatched closing tag", L"Window>"},
        {L"<Window></Window x>", L"Unmatched closing tag", L"x>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.markup, c.markup + std::wcslen(c.markup)));
        const MarkupDocument doc = ParseMarkup(c.markup);
        EXPECT_FALSE(doc.ok());
        EXPECT_EQ(doc.root(), nullptr);
        EXPECT_EQ(doc.error(), c.error);
        EXPECT_TRUE(doc.errorLocation().starts_with(c.locationStart));
    }
}

TEST(MarkupParser, ErrorLocationIsCutTo49Characters) {
    const std::wstring tail(100, L'x');
    const MarkupDocument doc = ParseMarkup(L"<Window a=" + tail);
    EXPECT_EQ(doc.error(), L"Expected attribute value");
    EXPECT_EQ(doc.errorLocation(), tail.substr(0, 49));
}

TEST(MarkupParser, DecodesUtf8WithOrWithoutByteOrderMark) {
    EXPECT_EQ(DecodeSkinText("\xEF\xBB\xBF<a t=\"\xE5\xAE\x89\"/>"), L"<a t=\"安\"/>");
    EXPECT_EQ(DecodeSkinText("<a/>"), L"<a/>");
    EXPECT_EQ(DecodeSkinText(""), L"");
}

}  // namespace
}  // namespace Skin
