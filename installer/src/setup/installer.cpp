#include "setup/installer.h"

#include <array>
#include <chrono>
#include <cwchar>
#include <string_view>
#include <thread>

#include "app/debug_log.h"
#include "app/install_settings.h"
#include "app/thread.h"
#include "platform/text.h"
#include "setup/status_lines.h"
#include "setup/worker_thread.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kFailText[] = L"安装包安装失败";

// The status keys in the order in which they are tried.
enum class Key {
    Progress,
    InstPath,
    State,
    InstallVersion,
    ExePath,
    StartExe,
    UninstExePath,
    UninstExe,
    UninstEp,
    Error,
    TopShowDetention,
    FinishCloseDetention,
    StartUrl,
    StartupStyle,
    Encode,
    Message,
};

struct KeyText {
    Key key;
    std::wstring_view text;
};

constexpr std::array<KeyText, 16> kKeys{{
    {Key::Progress, L"Progress="},
    {Key::InstPath, L"InstPath="},
    {Key::State, L"State="},
    {Key::InstallVersion, L"InstallVersion="},
    {Key::ExePath, L"ExePath="},
    {Key::StartExe, L"StartExe="},
    {Key::UninstExePath, L"UninstExePath="},
    {Key::UninstExe, L"UninstExe="},
    {Key::UninstEp, L"UninstEp="},
    {Key::Error, L"Error="},
    {Key::TopShowDetention, L"TopShowDetention="},
    {Key::FinishCloseDetention, L"FinsihCloseDetention="},  // the packages spell it this way
    {Key::StartUrl, L"StartUrl="},
    {Key::StartupStyle, L"StartupStyle="},
    {Key::Encode, L"Encode="},
    {Key::Message, L"Message="},
}};

double StartupStyleValue(const std::wstring& style) {
    if (style == L"AutoStartup") return 1.0;
    if (style == L"UserStartup") return 2.0;
    return 0.0;
}

unsigned CodePageOf(const std::wstring& encoding) {
    if (encoding == L"UTF8") return platform::kCodePageUtf8;
    if (encoding == L"ACP") return platform::kCodePageAnsi;
    int64_t number = 0;
    if (!StatusLines::ParseLeadingInteger(encoding, number)) return platform::kCodePageAnsi;
    return static_cast<unsigned>(number);
}

}  // namespace

CInstaller::CInstaller(DownloadCallback callback, std::wstring packageCommand,
                       std::wstring installDir)
    : callback(std::move(callback)), packageCommand(std::move(packageCommand)) {
    switches.installDir = std::move(installDir);
}

CInstaller::~CInstaller() { thread.reset(); }

void CInstaller::Configure(const PackageSwitches& newSwitches) {
    std::lock_guard lock(switchesMutex);
    switches = newSwitches;
}

std::wstring CInstaller::BuildCommandLine() {
    std::lock_guard lock(switchesMutex);
    std::wstring line = packageCommand;
    line += L" /S -console=show -version=1.0.0";
    line += L" -adminact=";
    line += FlagText(switches.adminAct);
    line += L" -authorizationact=";
    line += FlagText(switches.authorizationAct);
    line += L" -dsc=";
    line += FlagText(switches.desktopShortcut);
    line += L" -ssc=";
    line += FlagText(switches.quickLaunchShortcut);
    if (!switches.installLanguage.empty())
        line += L" -inslang=\"" + switches.installLanguage + L"\"";
    const std::wstring& extra = InstallSettings::Instance().InstCmd;
    if (!extra.empty()) line += L" " + extra;
    if (!switches.installDir.empty()) {
        line += L" -instdir=\"" + switches.installDir + L"\"";
        line += L" /D=" + switches.installDir;
    }
    return line;
}

void CInstaller::Start() {
    // The previous run reads the command line until it ends: wait for it first.
    thread.reset();
    commandLine = BuildCommandLine();
    thread = StartWorkerThread([this] { Run(); }, L"ABDEF");
}

void CInstaller::Report(int32_t code, double value, const std::wstring& text) {
    callback(code, value, text.c_str());
}

void CInstaller::Run() {
    Report(IST_CODE_START, 0.0);
    Report(IST_CODE_PROGRESS, 0.0);
    child = std::make_unique<ChildProcess>();
    if (!child->Launch(commandLine)) {
        child.reset();
        Report(IST_CODE_FAIL, 2.0);
        return;
    }
    DebugLog(L"package started: %ls\r\n", commandLine.c_str());
    bool ended = false;
    for (;;) {
        std::string chunk;
        if (child->Read(chunk) &&
            Parse(StatusLines::DecodeChunk(chunk, codePage)) != StatusLines::kParseNothing) {
            ended = false;
            break;
        }
        if (ended) break;
        if (!child->IsStillActive()) ended = true;
        std::this_thread::sleep_for(100ms);
    }
    child->WaitForExit();
    child.reset();
    // A package that ends without a verdict counts as a successful install.
    if (ended) Report(IST_CODE_SUCCESS, 1.0);
}

int CInstaller::Parse(const std::wstring& text) {
    int result = StatusLines::kParseNothing;
    for (std::wstring_view line : StatusLines::SplitLines(text)) {
        std::wstring value;
        const KeyText* found = nullptr;
        for (const KeyText& candidate : kKeys) {
            if (StatusLines::ValueOf(line, candidate.text, value)) {
                found = &candidate;
                break;
            }
        }
        if (found == nullptr) continue;
        switch (found->key) {
            case Key::Progress:
                Report(IST_CODE_PROGRESS, StatusLines::ParseNumber(value));
                break;
            case Key::InstPath:
                Report(IST_CODE_INST_PATH, 0.0, value);
                break;
            case Key::State: {
                const std::wstring state = StatusLines::Trim(value);
                if (state == L"Success") {
                    Report(IST_CODE_SUCCESS, 0.0);
                    result = StatusLines::kParseSuccess;
                } else if (state == L"Fail") {
                    Report(IST_CODE_FAIL, 0.0, kFailText);
                    result = StatusLines::kParseFailure;
                }
                break;
            }
            case Key::InstallVersion: {
                int major = 0, minor = 0, build = 0;
                if (std::swscanf(value.c_str(), L"%d.%d.%d", &major, &minor, &build) == 3) {
                    DebugLog(L"InstallVersion: %d.%d.%d\r\n", major, minor, build);
                }
                break;
            }
            case Key::ExePath:
                DebugLog(L"ExePath: %ls\r\n", value.c_str());
                Report(IST_CODE_EXE_PATH, 0.0, value);
                break;
            case Key::StartExe:
                Report(IST_CODE_EXE_PATH, 0.0, value);
                break;
            case Key::UninstExePath:
            case Key::UninstExe:
                Report(IST_CODE_UNINST_EXE, 0.0, value);
                break;
            case Key::UninstEp:
                Report(IST_CODE_UNINST_EP, 0.0, value);
                break;
            case Key::Error:
                Report(IST_CODE_FAIL, 1000.0, value);
                result = StatusLines::kParseFailure;
                break;
            case Key::TopShowDetention:
                Report(IST_CODE_TOP_SHOW, StatusLines::ParseUnsigned32(value));
                break;
            case Key::FinishCloseDetention:
                Report(IST_CODE_FINISH_CLOSE, StatusLines::ParseUnsigned32(value));
                break;
            case Key::StartUrl:
                Report(IST_CODE_START_URL, 0.0, value);
                break;
            case Key::StartupStyle:
                Report(IST_CODE_STARTUP_STYLE, StartupStyleValue(StatusLines::Trim(value)));
                break;
            case Key::Encode:
                codePage = CodePageOf(StatusLines::Trim(value));
                break;
            case Key::Message:
                Report(IST_CODE_MESSAGE, 0.0, value);
                break;
        }
    }
    return result;
}
