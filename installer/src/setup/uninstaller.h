#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "download/download_callback.h"
#include "setup/child_process.h"
#include "setup/status_lines.h"

namespace Utils {
class Thread;
}

// Events of the removal driver.
enum UninstallCode : int32_t {
    UNIST_CODE_PROGRESS = 5002,  // value: fraction of the removal done
    UNIST_CODE_SUCCESS = 5003,
    UNIST_CODE_FAIL = 5004,   // value 1.0 no uninstaller file, 2.0 no launch
    UNIST_CODE_ERROR = 5005,  // State=Fail or an Error line
};

// Runs an installed copy's uninstaller (a copy of it in the work folder) as a
// hidden child and reports its progress and verdict, on a thread named
// "UnInstaller". One driver serves one removal; destruction waits for its
// thread.
class CUnInstaller {
public:
    CUnInstaller(DownloadCallback callback, std::wstring exePath, std::wstring oldInstallDir);
    ~CUnInstaller();
    CUnInstaller(const CUnInstaller&) = delete;
    CUnInstaller& operator=(const CUnInstaller&) = delete;

    // Builds the command line and starts the reading thread; returns at once.
    void Start();

    int Parse(const std::wstring& text);

    const std::wstring& CommandLine() const { return commandLine; }

private:
    std::wstring BuildCommandLine() const;
    void Run();
    int ParseChunk(const std::string& chunk);
    void Report(int32_t code, double value, const std::wstring& text = {});

    DownloadCallback callback;
    std::wstring commandLine;
    std::wstring exePath;
    std::wstring oldInstallDir;
    unsigned codePage = 0;
    std::unique_ptr<Utils::Thread> thread;
    std::unique_ptr<ChildProcess> child;
};
