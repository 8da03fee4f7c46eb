// skin_render SKIN_FILE OUTPUT.png [PAGE [PROGRESS]]
//
// Builds the skin file from the skin package linked into this program into a
// window on the headless video driver, shows the main window's page PAGE
// (0 welcome, 1 custom, 2 installing, 3 finished; ignored by the other skins),
// sets installPrg to PROGRESS percent when given, and writes what the window
// presents as a PNG.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "draw/png_encoding.h"
#include "main_window_pages.h"
#include "platform/text.h"
#include "platform/window_input.h"
#include "skin/message_pump.h"
#include "skin/progress.h"
#include "skin/skin_frame.h"

namespace {

class RenderFrame : public Skin::CSkinFrame {
public:
    explicit RenderFrame(std::wstring skinFile)
        : CSkinFrame(
              {Skin::kSkinFromPackageResource, 147, L"", std::move(skinFile), L"SkinRender"}) {}
};

int Usage() {
    std::fprintf(stderr, "usage: skin_render SKIN_FILE OUTPUT.png [PAGE [PROGRESS]]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) return Usage();
    const std::wstring skinFile = platform::MultiByteToWide(argv[1], platform::kCodePageUtf8);
    const int page = argc > 3 ? std::atoi(argv[3]) : 0;
    if (!platform::InitWindowing(platform::VideoBackend::Headless)) {
        std::fprintf(stderr, "skin_render: no video driver\n");
        return 1;
    }
    RenderFrame frame(skinFile);
    if (frame.Create(nullptr, L"skin_render", 0, 0, 0, 0, 0, 0) == nullptr) {
        std::fprintf(stderr, "skin_render: the window cannot be created\n");
        return 1;
    }
    if (!skin_render::ShowMainWindowPage(frame.manager(), page)) {
        std::fprintf(stderr, "skin_render: no page %d\n", page);
        return 2;
    }
    if (argc > 4) {
        if (auto* bar =
                dynamic_cast<Skin::CProgress*>(frame.manager().FindControl(L"installPrg"))) {
            bar->SetValue(std::atoi(argv[4]));
        }
    }
    frame.ShowWindow(true, false);
    Skin::PumpMessages();
    platform::WindowPixels shot;
    if (!platform::ReadWindowPixels(frame.GetHWND(), &shot)) {
        std::fprintf(stderr, "skin_render: nothing was presented\n");
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << Skin::EncodePng(shot.pixels.data(), shot.width, shot.height);
    if (!out) {
        std::fprintf(stderr, "skin_render: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
