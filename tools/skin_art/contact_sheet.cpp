#include "contact_sheet.h"

#include <algorithm>

#include "palette.h"

namespace skin_art {
namespace {

constexpr int kPageWidth = 1560;
constexpr int kGap = 16;
constexpr int kLabelHeight = 18;

void Checkerboard(Canvas& canvas, int left, int top, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool dark = ((x / 8) + (y / 8)) % 2 != 0;
            canvas.Blend(left + x, top + y, Rgb(dark ? 0xD9D9D9 : 0xF4F4F4), 1);
        }
    }
}

}  // namespace

// The welcome page put together from its pictures where the skin places them,
// to judge them side by side.
Canvas WelcomePagePreview(const std::vector<Artwork>& images, const TextRenderer& text) {
    const auto find = [&](const std::string& path) -> const Canvas& {
        for (const Artwork& image : images) {
            if (image.path == path) return image.picture;
        }
        return images.front().picture;
    };
    Canvas page(600, 400);
    page.Draw(find("res/mainWnd/bg1.png"), 0, 0);
    page.Draw(find("res/common/minbtn1.png"), 527, 57 - 45);
    page.Draw(find("res/common/closebtn2.png"), 575, 57 - 45);
    page.Draw(find("res/mainWnd/logo.png"), 155, 105);
    page.Draw(find("res/mainWnd/installBtn1.png"), 183, 223);
    text.DrawCentred(page, "立即安装", 16, 183, 417, 248, palette::kWhite);
    page.Draw(find("res/mainWnd/tipLbl.png"), 11, 325);
    page.Draw(find("res/mainWnd/Cb2.png"), 21, 362);
    text.Draw(page, "已同意《用户许可协议》", 14, 47, 375, palette::kSubtle);
    text.Draw(page, "自定义安装", 14, 500, 375, palette::kMuted);
    page.Draw(find("res/mainWnd/customeBtn1.png"), 572, 363);
    return page;
}

Canvas MakeContactSheet(const std::vector<Artwork>& images, const TextRenderer& text) {
    // Lay out in rows first to learn the page height.
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    const Canvas preview = WelcomePagePreview(images, text);
    int x = kGap, y = kGap + preview.height() + kGap, rowHeight = 0;
    for (const Artwork& image : images) {
        const int width = std::max(image.picture.width(), 110);
        if (x + width + kGap > kPageWidth) {
            x = kGap;
            y += rowHeight + kLabelHeight + kGap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += width + kGap;
        rowHeight = std::max(rowHeight, image.picture.height());
    }
    Canvas sheet(kPageWidth, y + rowHeight + kLabelHeight + kGap);
    sheet.Fill([](Point) { return -1.0f; }, Solid(palette::kWhite));
    sheet.Draw(preview, kGap, kGap);
    for (size_t i = 0; i < images.size(); ++i) {
        const Canvas& picture = images[i].picture;
        Checkerboard(sheet, places[i].x, places[i].y, picture.width(), picture.height());
        sheet.Draw(picture, places[i].x, places[i].y);
        const std::string name = images[i].path.substr(images[i].path.find_last_of('/') + 1);
        text.Draw(sheet, name, 11, places[i].x, places[i].y + picture.height() + 13,
                  palette::kMuted);
    }
    return sheet;
}

}  // namespace skin_art
