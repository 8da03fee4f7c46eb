#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "draw/text_layout.h"
#include "headless_frame.h"
#include "markup/markup_document.h"
#include "skin/builder.h"
#include "skin/label.h"
#include "skin/tab_layout.h"
#include "skin/window_manager.h"

namespace toolkit_test {
namespace {

using Skin::IntRect;

struct Placement {
    int page;  // of mainTabLt
    const wchar_t* name;
    IntRect expected;
};

class MainWindowLayout : public HeadlessTest {};

// Worked out by hand from mainWnd.xml and the layout rule: fixed sizes
// first, the rest shared by the flexible controls, the last one taking the
// remainder; the root fills the 600x400 client area whatever it declares.
TEST_F(MainWindowLayout, NamedControlsSitWhereTheSkinPutsThem) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    const Placement placements[] = {
        {0, L"winCtn", {0, 0, 600, 400}},
        {0, L"titleTabLt", {10, 0, 210, 45}},
        {0, L"minbtn", {514, 12, 538, 36}},
        {0, L"closebtn", {562, 12, 586, 36}},
        {0, L"mainTabLt", {1, 45, 599, 400}},
        {0, L"defaultInstallBtn", {200, 225, 400, 271}},
        {0, L"customeBtn", {489, 361, 589, 381}},
        {1, L"installDirEdit", {129, 189, 469, 225}},
        {1, L"chDirBtn", {479, 189, 560, 225}},
        {1, L"createDSCb", {125, 245, 263, 263}},
        {1, L"createQSCb", {283, 245, 421, 263}},
        {1, L"customeInstallBtn", {200, 312, 400, 358}},
        {2, L"progressLb", {120, 300, 480, 324}},
        {2, L"installPrg", {40, 344, 560, 352}},
        {3, L"openProduceBtn", {200, 294, 400, 340}},
    };
    auto* pages = frame.Find<Skin::CTabLayout>(L"mainTabLt");
    ASSERT_NE(pages, nullptr);
    for (const Placement& p : placements) {
        ASSERT_TRUE(pages->SelectItem(p.page, false));
        frame.manager().PaintCanvas();
        const Skin::CControl* control = frame.manager().FindControl(p.name);
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->GetPos(), p.expected)
            << "page " << p.page << " " << control->GetName() << " at " << control->GetPos().left
            << "," << control->GetPos().top << "," << control->GetPos().right << ","
            << control->GetPos().bottom;
    }
}

TEST_F(MainWindowLayout, HiddenRowsAndPagesTakeNoSpaceAndSkippedTagsLeaveNoControl) {
    RecordingFrame frame(L"MainWnd.xml");
    ASSERT_TRUE(frame.Open());
    frame.manager().PaintCanvas();
    // The agreement row is hidden: the link after it is not pushed right.
    auto* treaty = frame.Find(L"treatyCb");
    ASSERT_NE(treaty, nullptr);
    EXPECT_FALSE(treaty->GetParent()->IsVisible());
    EXPECT_FALSE(frame.Find(L"tipLbl")->IsVisible());
    // SequenceLabel is not a toolkit tag: the element is skipped.
    EXPECT_EQ(frame.Find(L"progressAnLb"), nullptr);
    // Only the current page is shown.
    EXPECT_TRUE(IsShown(frame.Find(L"defaultInstallBtn")));
    EXPECT_FALSE(IsShown(frame.Find(L"installDirEdit")));
}

// Builds a skin from markup text with a manager that has no window.
class MarkupLayout : public ::testing::Test {
protected:
    Skin::CControl* Build(const std::wstring& markup, const IntRect& area) {
        document_ = Skin::ParseMarkup(markup);
        EXPECT_TRUE(document_.ok())
            << std::string(document_.error().begin(), document_.error().end());
        manager_.AttachRoot(Skin::BuildSkin(document_, nullptr, manager_));
        if (manager_.Root() != nullptr) manager_.Root()->SetPos(area);
        return manager_.Root();
    }
    Skin::Font& DefaultFont() { return *manager_.GetFont(0); }

    test_support::ScratchHome home_;
    Skin::MarkupDocument document_;
    Skin::WindowManager manager_;
};

TEST_F(MarkupLayout, LabelIsAsWideAsItsTextAndBareControlsShareTheRest) {
    ASSERT_NE(
        Build(L"<Window><Font id=\"0\" name=\"微软雅黑\" size=\"14\" default=\"true\"/>"
              L"<HorizontalLayout>"
              L"<Label name=\"caption\" padding=\"10,0,0,0\" text=\"温馨提示\" "
              L"textpadding=\"3,0,5,0\"/>"
              L"<Control name=\"a\"/><Control name=\"fixed\" width=\"24\"/><Control name=\"b\"/>"
              L"</HorizontalLayout></Window>",
              {0, 0, 361, 30}),
        nullptr);
    const int text = DefaultFont().MeasureWidth(L"温馨提示") + 3 + 5;
    EXPECT_EQ(manager_.FindControl(L"caption")->GetPos(), (IntRect{10, 0, 10 + text, 30}));
    const int left = 361 - 10 - text - 24;
    const IntRect a = manager_.FindControl(L"a")->GetPos();
    const IntRect b = manager_.FindControl(L"b")->GetPos();
    EXPECT_EQ(a.left, 10 + text);
    EXPECT_EQ(a.right - a.left, left / 2);
    EXPECT_EQ(b.right - b.left, left - left / 2);  // the last flexible one takes the remainder
    EXPECT_EQ(b.right, 361);
}

TEST_F(MarkupLayout, NaturalHeightsInAVerticalLayout) {
    const std::wstring text = L"检测到计算机中已存在此软件，是否为您更新为最新版本？";
    ASSERT_NE(Build(L"<Window><Font id=\"0\" name=\"微软雅黑\" size=\"16\" default=\"true\"/>"
                    L"<VerticalLayout>"
                    L"<Label name=\"one\" text=\"安装路径：\" textpadding=\"0,2,0,3\"/>"
                    L"<Label name=\"many\" width=\"120\" multiline=\"true\" text=\"" +
                        text +
                        L"\" textpadding=\"4,1,6,2\"/>"
                        L"<Control name=\"rest\"/>"
                        L"</VerticalLayout></Window>",
                    {0, 0, 300, 400}),
              nullptr);
    Skin::Font& font = DefaultFont();
    const IntRect one = manager_.FindControl(L"one")->GetPos();
    EXPECT_EQ(one, (IntRect{0, 0, 300, font.height() + 8 + 5}));
    const IntRect many = manager_.FindControl(L"many")->GetPos();
    const int lines = static_cast<int>(Skin::WrapText(font, text, 120 - 10).size());
    EXPECT_GT(lines, 2);
    EXPECT_EQ(many, (IntRect{0, one.bottom, 120, one.bottom + lines * font.height() + 3}));
    EXPECT_EQ(manager_.FindControl(L"rest")->GetPos(), (IntRect{0, many.bottom, 300, 400}));
}

TEST_F(MarkupLayout, FixedSizesAlongTheCrossAxisAndPaddingAroundChildren) {
    ASSERT_NE(Build(L"<Window><HorizontalLayout>"
                    L"<Control name=\"a\" width=\"20\" height=\"10\" padding=\"5,3,2,0\"/>"
                    L"<Control name=\"b\" padding=\"1,4,0,6\"/>"
                    L"<Control name=\"c\" pos=\"0,0,30,0\"/>"
                    L"</HorizontalLayout></Window>",
                    {0, 0, 100, 50}),
              nullptr);
    EXPECT_EQ(manager_.FindControl(L"a")->GetPos(), (IntRect{5, 3, 25, 13}));
    EXPECT_EQ(manager_.FindControl(L"b")->GetPos(), (IntRect{28, 4, 70, 44}));
    EXPECT_EQ(manager_.FindControl(L"c")->GetPos(), (IntRect{70, 0, 100, 50}));
}

TEST_F(MarkupLayout, BrokenMarkupBuildsNothingAndUnknownTagsAreSkipped) {
    EXPECT_EQ(Skin::BuildSkin(Skin::ParseMarkup(L"<Window><Label text='single'/></Window>"),
                              nullptr, manager_),
              nullptr);
    Skin::CControl* root = Build(
        L"<Window><VerticalLayout><Mystery name=\"m\"><Label name=\"inner\"/>"
        L"</Mystery><Label name=\"kept\"/></VerticalLayout></Window>",
        {0, 0, 10, 10});
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(manager_.FindControl(L"m"), nullptr);
    EXPECT_EQ(manager_.FindControl(L"inner"), nullptr);
    EXPECT_NE(manager_.FindControl(L"kept"), nullptr);
}

TEST_F(MarkupLayout, AttributesNoSetterKnowsAreKeptButChangeNothing) {
    const std::wstring plain =
        L"<Window><HorizontalLayout bkcolor=\"#FFFFFFFF\"><Button name=\"b\" text=\"是\" "
        L"bordersize=\"1\" bordercolor=\"#FF1890FF\" borderround=\"1,2\" %EXTRA%/>"
        L"<Progress name=\"p\" value=\"50\" foreimage=\"color='#FF00FF00'\" %EXTRA2%/>"
        L"</HorizontalLayout></Window>";
    auto paint = [&](const std::wstring& extra, const std::wstring& extra2) {
        std::wstring markup = plain;
        markup.replace(markup.find(L"%EXTRA%"), 7, extra);
        markup.replace(markup.find(L"%EXTRA2%"), 8, extra2);
        Skin::CControl* root = Build(markup, {0, 0, 160, 32});
        Skin::Canvas canvas;
        canvas.Resize(160, 32);
        if (root != nullptr) root->DoPaint(canvas, {0, 0, 160, 32});
        return std::vector<uint32_t>(canvas.pixels(), canvas.pixels() + 160 * 32);
    };
    const auto without = paint(L"", L"");
    const auto with = paint(L"hotborercolor=\"#FF5A9DFD\" pushedbordercolor=\"#FF1365DB\"",
                            L"isstretchfore=\"false\"");
    EXPECT_EQ(with, without);
    const std::wstring* kept = manager_.FindControl(L"b")->GetCustomAttribute(L"hotborercolor");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(*kept, L"#FF5A9DFD");
    // The border and the fore colour were drawn at all.
    EXPECT_NE(std::count(without.begin(), without.end(), 0xFFFFFFFFu), 160 * 32);
}

}  // namespace
}  // namespace toolkit_test
