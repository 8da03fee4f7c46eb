#include "ui/shadow_bitmap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Probe {
    int x;
    int y;  // top-down
    int alpha;
};

struct ShadowCase {
    const char* name;
    int ownerWidth;
    std::vector<OwnerRow> rows;
    ShadowLook look;
    int width;
    int height;
    std::vector<Probe> probes;
};

std::vector<OwnerRow> Rectangle(int width, int height) {
    return std::vector<OwnerRow>(height, OwnerRow{0, width});
}

std::vector<OwnerRow> WithEmptyRow(std::vector<OwnerRow> rows, int emptyRow) {
    rows[emptyRow] = {0, 0};
    return rows;
}

// The shipped skins' look: soft edges reach 10 pixels from the anchors
// eroded four times (so 4 pixels outside the owner on the left and top, 7
// on the right and bottom with the 1,1 offset), fading by 1/11 per pixel
// from darkness 20 without a solid centre.
const ShadowCase kCases[] = {
    {"shipped look",
     360,
     Rectangle(360, 180),
     {6, 10, 20, 1, 1, 0x26003B76},
     372,
     192,
     {{0, 96, 1},   {1, 96, 3},   {2, 96, 5},    {3, 96, 7},     {4, 96, 9},
      {5, 96, 0},   {364, 96, 0}, {365, 96, 12}, {366, 96, 10},  {367, 96, 9},
      {368, 96, 7}, {369, 96, 5}, {370, 96, 3},  {371, 96, 1},   {186, 0, 1},
      {186, 4, 9},  {186, 5, 0},  {186, 184, 0}, {186, 185, 12}, {186, 191, 1}}},
    // Size above sharpness: no erosion, a solid centre of radius 5 in a
    // kernel of radius 8, fading over 4 pixels.
    {"solid centre",
     40,
     Rectangle(40, 30),
     {8, 3, 100, 0, 0, 0xFFFFFF},
     56,
     46,
     {{0, 23, 25},
      {1, 23, 50},
      {2, 23, 75},
      {3, 23, 100},
      {7, 23, 100},
      {8, 23, 0},
      {47, 23, 0},
      {48, 23, 100},
      {55, 23, 25}}},
    {"a row outside the region",
     20,
     WithEmptyRow(Rectangle(20, 12), 6),
     {4, 4, 200, 2, 3, 0x0000FF},
     28,
     20,
     {}},
    {"largest look on a one-pixel owner",
     1,
     Rectangle(1, 1),
     {20, 20, 255, 20, -20, 0xFFFFFF},
     41,
     41,
     {}},
    {"negative size", 20, Rectangle(20, 20), {-3, 2, 100, -20, 20, 0x123456}, 14, 14, {}},
    {"negative size larger than the owner",
     10,
     Rectangle(10, 10),
     {-20, 0, 100, 0, 0, 0},
     0,
     0,
     {}},
};

class ShadowBitmapTest : public ::testing::TestWithParam<ShadowCase> {};

TEST_P(ShadowBitmapTest, SoftEdgeAroundAndNothingUnderTheOwner) {
    const ShadowCase& c = GetParam();
    const ShadowBitmap bitmap = ComputeShadow(c.ownerWidth, c.rows, c.look);
    ASSERT_EQ(bitmap.width, c.width);
    ASSERT_EQ(bitmap.height, c.height);
    ASSERT_EQ(bitmap.pixels.size(), static_cast<size_t>(c.width) * c.height);
    for (const Probe& p : c.probes) {
        EXPECT_EQ(static_cast<int>(bitmap.At(p.x, p.y) >> 24), p.alpha) << p.x << "," << p.y;
    }
    // Where the owner covers the shadow, it is transparent.
    const int dx = c.look.size - c.look.offsetX;
    const int dy = c.look.size - c.look.offsetY;
    for (int y = 0; y < static_cast<int>(c.rows.size()); ++y) {
        for (int x = c.rows[y].first; x < c.rows[y].end; ++x) {
            if (x + dx < 0 || x + dx >= c.width || y + dy < 0 || y + dy >= c.height) continue;
            ASSERT_EQ(bitmap.At(x + dx, y + dy), 0u) << "under the owner at " << x << "," << y;
        }
    }
    // Every pixel is premultiplied: no channel above its alpha.
    for (uint32_t pixel : bitmap.pixels) {
        const uint32_t alpha = pixel >> 24;
        ASSERT_LE((pixel >> 16) & 0xFF, alpha);
        ASSERT_LE((pixel >> 8) & 0xFF, alpha);
        ASSERT_LE(pixel & 0xFF, alpha);
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, ShadowBitmapTest, ::testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ShadowCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

TEST(ShadowBitmapLayoutTest, RowsAreBottomUpAndColoursPremultipliedFromTheLowByteUp) {
    const ShadowBitmap bitmap =
        ComputeShadow(360, Rectangle(360, 180), {6, 10, 20, 1, 1, 0x26003B76});
    // Memory row 6 is the seventh row from the bottom (top-down row 185):
    // alpha 12, red 0x76 and green 0x3B scaled by 12/255, no blue.
    EXPECT_EQ(bitmap.pixels[6 * 372 + 186], 0x0C050200u);
    EXPECT_EQ(bitmap.pixels[(191 - 5) * 372 + 186], 0u);  // top-down row 5: under the owner
    EXPECT_EQ(ShadowPixel(0x26003B76, 255), 0xFF763B00u);
    EXPECT_EQ(ShadowPixel(0x00FF0000, 51), 0x33000033u);  // blue in the third byte
}

}  // namespace
