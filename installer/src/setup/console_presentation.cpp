#include "setup/console_presentation.h"

#include <cstdio>

#include "platform/text.h"
#include "setup/install_flow.h"

namespace {

constexpr wchar_t kTipCaption[] = L"温馨提示";
constexpr wchar_t kExistingInstallText[] = L"检测到计算机中已存在此软件，是否为您更新为最新版本？";
constexpr wchar_t kDownloadFailedText[] = L"当前网络环境较差，请在网络通畅时进行重试";

std::string Utf8(const std::wstring& text) {
    return platform::WideToMultiByte(text, platform::kCodePageUtf8);
}

// One line on the console: the line breaks inside a text become spaces.
std::wstring OneLine(const std::wstring& text) {
    std::wstring line;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineBreak = text[i] == L'\r' || text[i] == L'\n';
        if (!lineBreak) {
            line.push_back(text[i]);
        } else if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) {
            line.push_back(L' ');
        }
    }
    return line;
}

}  // namespace

ConsolePresentation::ConsolePresentation(FlowPage firstPage) : page(firstPage) {}

void ConsolePresentation::Post(Message message) {
    {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(message));
    }
    posted.notify_one();
}

void ConsolePresentation::PostInstallEvent(InstallEvent event) { Post(std::move(event)); }
void ConsolePresentation::PostNetworkCheck(int32_t result) { Post(NetworkCheck{result}); }
void ConsolePresentation::PostInstall(bool proceed) { Post(Install{proceed}); }

std::optional<InstallOutcome> ConsolePresentation::Run(InstallFlow& flow) {
    while (!ended) {
        Message message;
        {
            std::unique_lock lock(mutex);
            posted.wait(lock, [this] { return !queue.empty(); });
            message = std::move(queue.front());
            queue.pop_front();
        }
        if (const auto* event = std::get_if<InstallEvent>(&message)) {
            flow.OnInstallEvent(*event);
        } else if (const auto* check = std::get_if<NetworkCheck>(&message)) {
            flow.OnNetworkCheck(check->result);
        } else {
            flow.BeginDownloadInstall(std::get<Install>(message).proceed);
        }
    }
    return outcome;
}

void ConsolePresentation::PrintLine(const std::wstring& caption, const std::wstring& text) {
    std::fprintf(stderr, "%s: %s\n", Utf8(caption).c_str(), Utf8(OneLine(text)).c_str());
    std::fflush(stderr);
}

void ConsolePresentation::ShowMessage(MessageBoxSkin, const std::wstring& text,
                                      const std::wstring& caption) {
    PrintLine(caption, text);
}

void ConsolePresentation::ShowLowSpaceMessage(double freeGiB, double neededGiB) {
    wchar_t text[256];
    std::swprintf(text, 256,
                  L"Not enough free disk space: %.2f GiB free on the target's file system, "
                  L"%.2f GiB needed",
                  freeGiB, neededGiB);
    PrintLine(kTipCaption, text);
}

ExistingInstallChoice ConsolePresentation::AskAboutExistingInstall() {
    PrintLine(kTipCaption, std::wstring(kExistingInstallText) + L" -> 安装最新版本");
    return ExistingInstallChoice::InstallNewest;
}

DownloadFailureChoice ConsolePresentation::AskAfterDownloadFailure() {
    PrintLine(kTipCaption, std::wstring(kDownloadFailedText) + L" -> 稍后再试");
    return DownloadFailureChoice::Later;
}

void ConsolePresentation::ShowProgress(int percent, bool) {
    if (percent == printedPercent) return;
    printedPercent = percent;
    std::printf("progress: %d%%\n", percent);
    std::fflush(stdout);
}

void ConsolePresentation::ResetProgress() { ShowProgress(0, false); }

void ConsolePresentation::ShowInstallComplete() { ShowProgress(100, false); }

void ConsolePresentation::InstallEnded(InstallOutcome result) {
    if (!outcome) outcome = result;
    ended = true;
}
