#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <variant>

#include "setup/install_presentation.h"

class InstallFlow;

// The install flow without a window: progress as "progress: N%" lines on
// standard output, every message box or tip as one line on standard error
// (its caption, then its text), the tips answered as a silent install wants.
// The thread that calls Run is the flow's thread.
class ConsolePresentation : public InstallPresentation {
public:
    // The page the run starts on: the custom page when a folder was given.
    explicit ConsolePresentation(FlowPage firstPage);

    // Hands the posted messages to `flow` until an install attempt has ended
    // or the flow closed the run; returns how it ended (none after a close
    // with no attempt).
    std::optional<InstallOutcome> Run(InstallFlow& flow);
    // True once the run has nothing more to wait for.
    bool Ended() const { return ended; }
    std::optional<InstallOutcome> Outcome() const { return outcome; }

    void PostInstallEvent(InstallEvent event) override;
    void PostNetworkCheck(int32_t result) override;
    void PostInstall(bool proceed) override;

    void ShowMessage(MessageBoxSkin skin, const std::wstring& text,
                     const std::wstring& caption) override;
    void ShowLowSpaceMessage(double freeGiB, double neededGiB) override;
    ExistingInstallChoice AskAboutExistingInstall() override;
    DownloadFailureChoice AskAfterDownloadFailure() override;

    FlowPage CurrentPage() const override { return page; }
    void ShowPage(FlowPage newPage) override { page = newPage; }
    void EnableInstallButton(bool) override {}
    CustomChoice CurrentCustomChoice() const override { return {}; }
    std::wstring LanguageCode() const override { return {}; }

    void ShowProgress(int percent, bool longWait) override;
    void ResetProgress() override;
    void ShowInstallComplete() override;
    void SetFinishTimers(uint32_t, uint32_t) override {}
    void SettleBeforeLaunch() override {}

    void InstallEnded(InstallOutcome result) override;
    void Close() override { ended = true; }

private:
    struct NetworkCheck {
        int32_t result;
    };
    struct Install {
        bool proceed;
    };
    using Message = std::variant<InstallEvent, NetworkCheck, Install>;

    void Post(Message message);
    static void PrintLine(const std::wstring& caption, const std::wstring& text);

    std::mutex mutex;
    std::condition_variable posted;
    std::deque<Message> queue;

    FlowPage page;
    int printedPercent = -1;
    bool ended = false;
    std::optional<InstallOutcome> outcome;
};
