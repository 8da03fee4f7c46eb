#include "draw/text_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draw/font.h"
#include "platform/font_lookup.h"
#include "scratch_home.h"

namespace Skin {
namespace {

class TextLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        font_ = Font::Create({L"微软雅黑", 14});
        ASSERT_NE(font_, nullptr);
    }

    std::wstring Joined(const std::vector<std::wstring>& lines) {
        std::wstring all;
        for (const auto& line : lines) all += line;
        return all;
    }

    test_support::ScratchHome home_;
    std::shared_ptr<Font> font_;
};

TEST(FontLookup, ChineseFaceNameFindsAFaceWithChineseGlyphs) {
    test_support::ScratchHome home;
    platform::FontFile file;
    ASSERT_TRUE(platform::FindFontFile(L"微软雅黑", false, false, &file));
    EXPECT_NE(file.path.find("wqy-microhei"), std::string::npos) << file.path;
}

TEST_F(TextLayoutTest, FontMetricsFollowTheCharacterHeight) {
    const auto big = Font::Create({L"微软雅黑", 28});
    ASSERT_NE(big, nullptr);
    EXPECT_GE(font_->height(), 14);
    EXPECT_LE(font_->height(), 20);
    EXPECT_NEAR(big->height(), 2 * font_->height(), 2);
    // Chinese glyphs are there (not the empty box of a Latin face): each is
    // about one em wide.
    EXPECT_NEAR(font_->MeasureWidth(L"安装"), 28, 2);
    EXPECT_EQ(font_->MeasureWidth(L""), 0);
}

TEST_F(TextLayoutTest, WrapsChineseTextBetweenCharactersWithoutLosingAny) {
    const std::wstring text = L"检测到计算机中已存在此软件，是否为您更新为最新版本？";
    for (int width : {60, 100, 150, 250}) {
        const auto lines = WrapText(*font_, text, width);
        EXPECT_EQ(Joined(lines), text) << width;
        for (const auto& line : lines) {
            EXPECT_LE(font_->MeasureWidth(line), width) << width;
            // Closing punctuation never begins a line.
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(std::wstring(L"，？").find(line.front()), std::wstring::npos) << width;
        }
    }
}

TEST_F(TextLayoutTest, WrapsLatinTextAtSpacesAndSplitsOverlongWords) {
    const int width = font_->MeasureWidth(L"hello world");
    const auto lines = WrapText(*font_, L"hello world again", width);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"hello world", L"again"}));

    const int narrow = font_->MeasureWidth(L"abc");
    const auto split = WrapText(*font_, L"abcdefgh", narrow);
    EXPECT_EQ(Joined(split), L"abcdefgh");
    EXPECT_GT(split.size(), 2u);

    EXPECT_EQ(WrapText(*font_, L"one\ntwo", 1000), (std::vector<std::wstring>{L"one", L"two"}));
}

TEST_F(TextLayoutTest, MeasuresOneLineOrTheWrappedBlock) {
    const std::wstring text = L"当前网络环境较差，请在网络通畅时进行重试";
    const IntSize single = MeasureText(*font_, text, 100, kTextSingleLine);
    EXPECT_EQ(single.cy, font_->height());
    EXPECT_EQ(single.cx, font_->MeasureWidth(text));

    const IntSize wrapped = MeasureText(*font_, text, 100, kTextWordBreak);
    const auto lines = WrapText(*font_, text, 100);
    EXPECT_GT(lines.size(), 1u);
    EXPECT_EQ(wrapped.cy, static_cast<int>(lines.size()) * font_->height());
    EXPECT_LE(wrapped.cx, 100);
}

TEST_F(TextLayoutTest, AlignmentPlacesTheInkInsideTheRectangle) {
    // Where the drawn pixels of one short word land for each alignment.
    struct Case {
        unsigned format;
        bool inkNearLeft;
        bool inkNearRight;
    };
    const Case cases[] = {
        {kTextSingleLine | kTextVCenter | kTextLeft, true, false},
        {kTextSingleLine | kTextVCenter | kTextRight, false, true},
        {kTextSingleLine | kTextVCenter | kTextCenter, false, false},
    };
    for (const auto& c : cases) {
        Canvas canvas;
        canvas.Resize(200, 30);
        DrawText(canvas, *font_, L"安装", {0, 0, 200, 30}, 0xFF000000, c.format);
        int minX = 200;
        int maxX = -1;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 200; ++x) {
                if ((canvas.PixelAt(x, y) >> 24) != 0) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
            }
        }
        ASSERT_GE(maxX, 0) << "nothing drawn";
        EXPECT_EQ(minX < 10, c.inkNearLeft) << c.format;
        EXPECT_EQ(maxX > 190, c.inkNearRight) << c.format;
        if (!c.inkNearLeft && !c.inkNearRight) {
            EXPECT_NEAR((minX + maxX) / 2, 100, 4);
        }
    }
}

}  // namespace
}  // namespace Skin
