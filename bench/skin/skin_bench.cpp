// Opening the skin package (every member decompressed) and parsing the six skin
// files, as a window-heavy start-up does once. Prints the median and the best of
// a number of rounds, in milliseconds of wall-clock time and of this process's
// processor time (less disturbed when other work shares the machine).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "markup/skin_package_state.h"

namespace {

constexpr const wchar_t* kSkinFiles[] = {L"MainWnd.xml",        L"MessageBox1Wnd.xml",
                                         L"MessageBox2Wnd.xml", L"NetworkTipWnd.xml",
                                         L"ExitTipWnd.xml",     L"InstalledPathTipWnd.xml"};

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-28s median %7.3f ms   best %7.3f ms\n", what, samples[samples.size() / 2],
                samples.front());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    std::vector<double> open, parse, total, processor;
    for (int round = 0; round < rounds; ++round) {
        const std::clock_t processorStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        Skin::CSkinPackageState state;
        if (!state.OpenResourcePackage() || !state.package()) {
            std::fprintf(stderr, "skin_bench: the skin package does not open\n");
            return 1;
        }
        const auto opened = std::chrono::steady_clock::now();
        for (const wchar_t* file : kSkinFiles) {
            if (!state.LoadSkinFile(file).ok()) {
                std::fprintf(stderr, "skin_bench: a skin file does not parse\n");
                return 1;
            }
        }
        const auto parsed = std::chrono::steady_clock::now();
        open.push_back(Milliseconds(opened - start));
        parse.push_back(Milliseconds(parsed - opened));
        total.push_back(Milliseconds(parsed - start));
        processor.push_back(1000.0 * static_cast<double>(std::clock() - processorStart) /
                            CLOCKS_PER_SEC);
    }
    std::printf("skin package and six skins, %d rounds (goal: under 20 ms together)\n", rounds);
    Report("open package (decompress all)", open);
    Report("parse six skins", parse);
    Report("together", total);
    Report("together, processor time", processor);
    return 0;
}
