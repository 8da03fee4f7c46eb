// toolkit_bench repaint ROUNDS   full repaints of the 600x400 main window
// toolkit_bench first-frame      this process: start to the first presented frame
// toolkit_bench bare-present ROUNDS / bare-first-frame
//                                the same through the platform layer alone
//                                (no controls, no skin): the floor.
// Runs on the headless video driver. Prints milliseconds; a start prints the
// wall-clock time and this process's processor time (less disturbed when
// other work shares the machine).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/window.h"
#include "skin/message_pump.h"
#include "skin/skin_frame.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point kProcessStart = Clock::now();

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-40s median %8.3f ms   best %8.3f ms\n", what, samples[samples.size() / 2],
                samples.front());
}

void PrintStart() {
    std::printf("%.3f %.3f\n", Milliseconds(Clock::now() - kProcessStart),
                1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC);
}

class MainWindow : public Skin::CSkinFrame {
public:
    MainWindow()
        : CSkinFrame({Skin::kSkinFromPackageResource, 147, L"", L"MainWnd.xml", L"Bench"}) {}

    bool presented = false;

protected:
    platform::LRESULT OnMessage(platform::UINT message, platform::WPARAM wParam,
                                platform::LPARAM lParam) override {
        const platform::LRESULT result = CSkinFrame::OnMessage(message, wParam, lParam);
        if (message == platform::WM_PAINT) presented = true;
        return result;
    }
};

platform::LRESULT PlainProc(platform::HWND hwnd, platform::UINT message, platform::WPARAM wParam,
                            platform::LPARAM lParam) {
    return platform::DefWindowProc(hwnd, message, wParam, lParam);
}

int Repaint(int rounds) {
    MainWindow window;
    if (window.Create(nullptr, L"bench", 0, 0, 0, 0, 0, 0) == nullptr) return 1;
    window.ShowWindow(true, false);
    Skin::PumpMessages();
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        // What WM_PAINT does: lay out when needed, paint every control into
        // the canvas, present it.
        window.SendMessage(platform::WM_PAINT);
        samples.push_back(Milliseconds(Clock::now() - start));
    }
    Report("full repaint of the main window", samples);
    return 0;
}

int FirstFrame() {
    MainWindow window;
    if (window.Create(nullptr, L"bench", 0, 0, 0, 0, 0, 0) == nullptr) return 1;
    window.CenterWindow();
    window.ShowWindow(true, true);
    platform::MSG msg;
    while (!window.presented && platform::GetMessage(&msg)) platform::DispatchMessage(&msg);
    PrintStart();
    return 0;
}

int BarePresent(int rounds) {
    platform::HWND hwnd =
        platform::CreateWindowEx(L"bare", 0, 0, 600, 400, nullptr, &PlainProc, nullptr);
    if (hwnd == nullptr) return 1;
    platform::ShowWindow(hwnd, platform::SW_SHOW);
    std::vector<std::uint32_t> frame(600 * 400, 0xFF336699);
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        platform::PresentBits(hwnd, frame.data(), 600, 400);
        samples.push_back(Milliseconds(Clock::now() - start));
    }
    Report("bare: present a prepared 600x400 frame", samples);
    return 0;
}

int BareFirstFrame() {
    platform::HWND hwnd =
        platform::CreateWindowEx(L"bare", 0, 0, 600, 400, nullptr, &PlainProc, nullptr);
    if (hwnd == nullptr) return 1;
    platform::ShowWindow(hwnd, platform::SW_SHOW);
    std::vector<std::uint32_t> frame(600 * 400, 0xFF336699);
    platform::PresentBits(hwnd, frame.data(), 600, 400);
    PrintStart();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !platform::InitWindowing(platform::VideoBackend::Headless)) {
        std::fprintf(
            stderr,
            "usage: toolkit_bench repaint|first-frame|bare-present|bare-first-frame [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    if (std::strcmp(argv[1], "repaint") == 0) return Repaint(rounds);
    if (std::strcmp(argv[1], "first-frame") == 0) return FirstFrame();
    if (std::strcmp(argv[1], "bare-present") == 0) return BarePresent(rounds);
    if (std::strcmp(argv[1], "bare-first-frame") == 0) return BareFirstFrame();
    return 2;
}
