#include "setup/uninstaller.h"

#include <chrono>
#include <string_view>
#include <thread>

#include "app/debug_log.h"
#include "app/thread.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "setup/status_lines.h"
#include "setup/worker_thread.h"
#include "utils/environment_probes.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kNoFileText[] = L"可执行卸载文件不存在";
constexpr wchar_t kFailText[] = L"安装包卸载失败";

bool ConsoleUserIsAdmin() {
    std::wstring name;
    return GetConsoleUserName(name) && IsAdminAccount(name);
}

}  // namespace

CUnInstaller::CUnInstaller(DownloadCallback callback, std::wstring exePath,
                           std::wstring oldInstallDir)
    : callback(std::move(callback)),
      exePath(std::move(exePath)),
      oldInstallDir(std::move(oldInstallDir)) {}

CUnInstaller::~CUnInstaller() { thread.reset(); }

std::wstring CUnInstaller::BuildCommandLine() const {
    // "_?=" stays last and unquoted: the uninstaller takes the rest of the line.
    return exePath + L" /S -adminact=" + FlagText(ConsoleUserIsAdmin()) + L" -authorizationact=" +
           FlagText(IsProcessAdmin()) + L" -console=show _?=" + oldInstallDir;
}

void CUnInstaller::Start() {
    commandLine = BuildCommandLine();
    thread = StartWorkerThread([this] { Run(); }, L"UnInstaller");
}

void CUnInstaller::Report(int32_t code, double value, const std::wstring& text) {
    callback(code, value, text.c_str());
}

int CUnInstaller::ParseChunk(const std::string& chunk) {
    return Parse(StatusLines::DecodeChunk(chunk, codePage));
}

void CUnInstaller::Run() {
    if (!platform::FileExists(exePath)) {
        Report(UNIST_CODE_FAIL, 1.0, kNoFileText);
        return;
    }
    Report(UNIST_CODE_PROGRESS, 0.0);
    child.reset();
    child = std::make_unique<ChildProcess>();
    if (!child->Launch(commandLine)) {
        child.reset();
        Report(UNIST_CODE_FAIL, 2.0);
        return;
    }
    DebugLog(L"uninstaller started: %ls\r\n", commandLine.c_str());
    bool noVerdict = true;
    std::string chunk;
    while (child->IsStillActive()) {
        if (child->Read(chunk)) {
            if (ParseChunk(chunk) != StatusLines::kParseNothing) noVerdict = false;
        } else {
            // The output has ended while the process lives on: do not spin.
            std::this_thread::sleep_for(100ms);
        }
    }
    // What it wrote just before it ended is still in the pipe.
    while (child->ReadPending(chunk)) {
        if (ParseChunk(chunk) != StatusLines::kParseNothing) noVerdict = false;
    }
    child->WaitForExit();
    child.reset();
    // An uninstaller that ends without a verdict counts as a successful removal.
    if (noVerdict) Report(UNIST_CODE_SUCCESS, 1.0);
}

int CUnInstaller::Parse(const std::wstring& text) {
    int result = StatusLines::kParseNothing;
    for (std::wstring_view line : StatusLines::SplitLines(text)) {
        std::wstring value;
        if (StatusLines::ValueOf(line, L"Progress=", value)) {
            Report(UNIST_CODE_PROGRESS, StatusLines::ParseNumber(value));
        } else if (StatusLines::ValueOf(line, L"Error=", value)) {
            Report(UNIST_CODE_ERROR, 0.0, value);
            result = StatusLines::kParseFailure;
        } else if (StatusLines::ValueOf(line, L"State=", value)) {
            const std::wstring state = StatusLines::Trim(value);
            if (state == L"Success") {
                Report(UNIST_CODE_SUCCESS, 0.0);
                result = StatusLines::kParseSuccess;
            } else if (state == L"Fail") {
                Report(UNIST_CODE_ERROR, 0.0, kFailText);
                result = StatusLines::kParseFailure;
            }
        } else if (StatusLines::ValueOf(line, L"Encode=", value)) {
            codePage = StatusLines::Trim(value) == L"UTF8" ? platform::kCodePageUtf8
                                                           : platform::kCodePageAnsi;
        }
    }
    return result;
}
