#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "download/download_callback.h"
#include "setup/child_process.h"
#include "setup/package_switches.h"
#include "setup/status_lines.h"

namespace Utils {
class Thread;
}

// Events of the package driver.
enum InstallCode : int32_t {
    IST_CODE_START = 2001,     // the reading thread has started
    IST_CODE_PROGRESS = 2002,  // value: fraction of the install done
    IST_CODE_SUCCESS = 2003,   // the package installed the product
    IST_CODE_FAIL = 2004,      // value 0.0 State=Fail, 1000.0 an Error line, 2.0 no launch
    IST_CODE_INST_PATH = 3000,
    IST_CODE_EXE_PATH = 3001,
    IST_CODE_UNINST_EXE = 3002,
    IST_CODE_UNINST_EP = 3003,
    IST_CODE_START_URL = 3004,
    IST_CODE_STARTUP_STYLE = 3005,  // value 0 NonStartup, 1 AutoStartup, 2 UserStartup
    IST_CODE_TOP_SHOW = 3007,
    IST_CODE_FINISH_CLOSE = 3008,
    IST_CODE_MESSAGE = 3009,
};

// Runs the downloaded package as a hidden child with the silent-install
// command line and turns its status lines into events, on a reading thread of
// its own. Destruction waits for that thread.
class CInstaller {
public:
    CInstaller(DownloadCallback callback, std::wstring packageCommand, std::wstring installDir);
    ~CInstaller();
    CInstaller(const CInstaller&) = delete;
    CInstaller& operator=(const CInstaller&) = delete;

    // What the orchestrator sets before every Start.
    void Configure(const PackageSwitches& switches);

    // Waits for a previous run's thread, builds the command line and starts a
    // new run. Returns at once. Not to be called on the reading thread.
    void Start();

    // Interprets one decoded chunk of output: kParseSuccess or kParseFailure
    // when a line of it gave a verdict (the last such line decides).
    int Parse(const std::wstring& text);

    // The full command line as the last Start built it.
    const std::wstring& CommandLine() const { return commandLine; }
    unsigned CodePage() const { return codePage; }

private:
    std::wstring BuildCommandLine();
    void Run();
    void Report(int32_t code, double value, const std::wstring& text = {});

    DownloadCallback callback;
    std::wstring packageCommand;
    // Set on the window thread, read by Start on a download thread.
    std::mutex switchesMutex;
    PackageSwitches switches;
    std::wstring commandLine;
    unsigned codePage = 0;
    std::unique_ptr<Utils::Thread> thread;
    std::unique_ptr<ChildProcess> child;
};
