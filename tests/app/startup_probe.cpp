// The installer's start-up sequence with hooks that print what they are asked
// to do, and a run step chosen by the first argument: "hold <file>" keeps the
// single-instance guard until killed (after creating <file>), a crash mode
// crashes the process for real ("segv-stuck" with a crash report that never
// returns).
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "app/startup.h"
#include "platform/text.h"

namespace {

void Say(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// A real fault at an address no mapping holds. The pointer lives in a volatile
// variable so the optimiser neither removes the store nor reasons about it.
void WriteToUnmappedAddress() {
    volatile char* volatile target = reinterpret_cast<volatile char*>(16);
    *target = 1;
}

int Run(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "segv-stuck") == 0) WriteToUnmappedAddress();
    if (std::strcmp(mode, "hold") == 0 && argc > 2) {
        std::ofstream(argv[2]) << "held\n";
        for (;;) ::pause();
    }
    if (std::strcmp(mode, "segv") == 0) WriteToUnmappedAddress();
    if (std::strcmp(mode, "abort") == 0) std::abort();
    if (std::strcmp(mode, "ill") == 0) __builtin_trap();
    if (std::strcmp(mode, "fpe") == 0) std::raise(SIGFPE);
    if (std::strcmp(mode, "bus") == 0) std::raise(SIGBUS);
    Say("run\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    StartupHooks hooks;
    hooks.setUpAnalytics = [] { Say("setup\n"); };
    hooks.reportTask = [](const std::wstring& task) {
        Say(("task " + platform::WideToMultiByte(task, platform::kCodePageUtf8) + "\n").c_str());
    };
    const bool stuck = argc > 1 && std::strcmp(argv[1], "segv-stuck") == 0;
    hooks.trackCrash = [stuck] {
        // A crash report that never returns must not keep the process alive.
        while (stuck) ::pause();
        Say("crash\n");
    };
    hooks.releaseAnalytics = [] { Say("release\n"); };
    hooks.run = [argc, argv] { return Run(argc, argv); };
    return RunInstaller(hooks);
}
