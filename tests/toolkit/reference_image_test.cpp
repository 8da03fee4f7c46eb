#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "draw/bitmap.h"
#include "draw/png_encoding.h"
#include "draw/rect.h"
#include "headless_frame.h"
#include "main_window_pages.h"
#include "platform/window_input.h"
#include "skin/progress.h"

namespace toolkit_test {
namespace {

struct Shot {
    const wchar_t* skinFile;
    int page;
    const char* reference;
};

// Every skin, and the four pages of the main window (the installing page at
// 40 per cent), as skin_render draws them.
const Shot kShots[] = {
    {L"mainWnd.xml", 0, "mainWnd_page0.png"},
    {L"mainWnd.xml", 1, "mainWnd_page1.png"},
    {L"mainWnd.xml", 2, "mainWnd_page2.png"},
    {L"mainWnd.xml", 3, "mainWnd_page3.png"},
    {L"MessageBox1Wnd.xml", 0, "MessageBox1Wnd.png"},
    {L"MessageBox2Wnd.xml", 0, "MessageBox2Wnd.png"},
    {L"NetworkTipWnd.xml", 0, "NetworkTipWnd.png"},
    {L"exitTipWnd.xml", 0, "exitTipWnd.png"},
    {L"InstalledPathTipWnd.xml", 0, "InstalledPathTipWnd.png"},
};

platform::WindowPixels Render(const Shot& shot) {
    RecordingFrame frame(shot.skinFile);
    platform::WindowPixels pixels;
    if (!frame.Open()) return pixels;
    skin_render::ShowMainWindowPage(frame.manager(), shot.page);
    if (auto* bar = frame.Find<Skin::CProgress>(L"installPrg")) bar->SetValue(40);
    frame.ShowWindow(true, false);
    Skin::PumpMessages();
    platform::ReadWindowPixels(frame.GetHWND(), &pixels);
    return pixels;
}

std::shared_ptr<const Skin::Bitmap> LoadReference(const char* name) {
    std::ifstream file(std::string(TOOLKIT_REFERENCE_DIR) + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    return Skin::DecodeBitmap(bytes, 0);
}

// Share of pixels where a channel differs by more than a small step (font
// rasteriser versions, rounding): the images match when it is tiny.
double DifferingShare(const platform::WindowPixels& shot, const Skin::Bitmap& reference) {
    if (shot.width != reference.width || shot.height != reference.height) return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < shot.pixels.size(); ++i) {
        const uint32_t a = shot.pixels[i];
        const uint32_t b = reference.pixels[i];
        for (int shift : {0, 8, 16}) {
            const int delta =
                static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            if (std::abs(delta) > 24) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / static_cast<double>(shot.pixels.size());
}

// At most one pixel in a thousand may differ.
constexpr double kTolerance = 0.001;

class ReferenceImageTest : public HeadlessTest {};

TEST_F(ReferenceImageTest, EverySkinLooksLikeItsReferenceImage) {
    for (const Shot& shot : kShots) {
        const platform::WindowPixels pixels = Render(shot);
        ASSERT_GT(pixels.width, 0) << shot.reference;
        const auto reference = LoadReference(shot.reference);
        ASSERT_NE(reference, nullptr) << shot.reference;
        const double share = DifferingShare(pixels, *reference);
        if (share > kTolerance) {
            const std::string out = ::testing::TempDir() + "actual_" + shot.reference;
            std::ofstream(out, std::ios::binary)
                << Skin::EncodePng(pixels.pixels.data(), pixels.width, pixels.height);
            ADD_FAILURE() << shot.reference << ": " << share * 100 << "% of pixels differ; see "
                          << out;
        }
    }
}

TEST_F(ReferenceImageTest, TheComparisonTellsPagesAndProgressApart) {
    const auto welcome = LoadReference("mainWnd_page0.png");
    const auto installing = LoadReference("mainWnd_page2.png");
    ASSERT_NE(welcome, nullptr);
    ASSERT_NE(installing, nullptr);
    EXPECT_GT(DifferingShare(Render(kShots[1]), *welcome), 0.05);

    // Sixty per cent instead of forty: a strip of the bar, a fraction of the
    // window, is enough to fail.
    RecordingFrame frame(L"mainWnd.xml");
    ASSERT_TRUE(frame.Open());
    skin_render::ShowMainWindowPage(frame.manager(), 2);
    frame.Find<Skin::CProgress>(L"installPrg")->SetValue(60);
    frame.ShowWindow(true, false);
    Skin::PumpMessages();
    platform::WindowPixels shot;
    ASSERT_TRUE(platform::ReadWindowPixels(frame.GetHWND(), &shot));
    EXPECT_GT(DifferingShare(shot, *installing), kTolerance);
}

TEST_F(ReferenceImageTest, HotAndPushedButtonsShowTheirImages) {
    RecordingFrame frame(L"mainWnd.xml");
    ASSERT_TRUE(frame.Open());
    frame.ShowWindow(true, false);
    Skin::PumpMessages();
    const Skin::IntRect button = frame.Find(L"defaultInstallBtn")->GetPos();
    auto snapshot = [&] {
        Skin::PumpMessages();
        platform::WindowPixels pixels;
        platform::ReadWindowPixels(frame.GetHWND(), &pixels);
        return pixels;
    };
    auto changedInside = [&](const platform::WindowPixels& a, const platform::WindowPixels& b) {
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < a.height; ++y) {
            for (int x = 0; x < a.width; ++x) {
                if (a.pixels[y * a.width + x] == b.pixels[y * b.width + x]) continue;
                (Skin::Contains(button, x, y) ? inside : outside)++;
            }
        }
        EXPECT_EQ(outside, 0);
        return inside;
    };
    const platform::WindowPixels normal = snapshot();
    const auto [x, y] = frame.CentreOf(L"defaultInstallBtn");
    platform::InjectMouseMove(frame.GetHWND(), x, y);
    const platform::WindowPixels hot = snapshot();
    platform::InjectMouseButton(frame.GetHWND(), x, y, true);
    const platform::WindowPixels pushed = snapshot();
    EXPECT_GT(changedInside(normal, hot), 500);
    EXPECT_GT(changedInside(hot, pushed), 500);
}

}  // namespace
}  // namespace toolkit_test
