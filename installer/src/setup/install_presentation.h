#pragma once

#include <cstdint>
#include <string>

// One event of the install chain as the flow receives it on its own thread.
struct InstallEvent {
    int32_t code = 0;
    double value = 0.0;
    std::wstring text;
};

// The pages of the installer window; the silent run keeps the same state.
enum class FlowPage { Welcome = 0, Custom = 1, Installing = 2, Finished = 3 };

// The caption of the installer's notices.
inline constexpr wchar_t kNoticeCaption[] = L"温馨提示";

// The two message boxes whose caption and text are filled in at run time.
enum class MessageBoxSkin { Notice, Warning };  // "MessageBox1Wnd.xml", "MessageBox2Wnd.xml"

// The existing-installation tip: "安装最新版本", "打开软件" or its close button.
enum class ExistingInstallChoice { InstallNewest = 0, OpenProduct = 1, Dismissed = 2 };

// The download-failure tip: "重新安装", "稍后再试" or its close button.
enum class DownloadFailureChoice { Retry = 0, Later = 1, Dismissed = 2 };

// How an install attempt ended.
enum class InstallOutcome {
    Installed,
    ProductRunning,
    InvalidPath,
    LowDiskSpace,
    NoNetwork,
    DownloadFailed,
    InstallFailed,
    RemovalFailed,
};

// What the folder field and the two shortcut boxes of the custom page hold.
struct CustomChoice {
    std::wstring folderText;
    bool desktopShortcut = true;
    bool quickLaunchShortcut = true;
};

// Everything the install flow shows or asks, so that the installer window and
// the silent run present one and the same flow. The Post operations may be
// called on any thread and never wait: they hand the message to the thread
// that runs the flow, which gives it back to InstallFlow. Everything else is
// called on that thread.
class InstallPresentation {
public:
    virtual ~InstallPresentation() = default;

    virtual void PostInstallEvent(InstallEvent event) = 0;
    virtual void PostNetworkCheck(int32_t result) = 0;
    // The asynchronous "install" notification.
    virtual void PostInstall(bool proceed) = 0;

    virtual void ShowMessage(MessageBoxSkin skin, const std::wstring& text,
                             const std::wstring& caption) = 0;
    // The low-disk-space message (language text 104), with the figures.
    virtual void ShowLowSpaceMessage(double freeGiB, double neededGiB) = 0;
    virtual ExistingInstallChoice AskAboutExistingInstall() = 0;
    virtual DownloadFailureChoice AskAfterDownloadFailure() = 0;

    virtual FlowPage CurrentPage() const = 0;
    virtual void ShowPage(FlowPage page) = 0;
    virtual void EnableInstallButton(bool enabled) = 0;
    virtual CustomChoice CurrentCustomChoice() const = 0;
    // The language code the package is told; empty for none.
    virtual std::wstring LanguageCode() const = 0;

    // The bar and its text; `longWait` once the download began over 60 s ago.
    virtual void ShowProgress(int percent, bool longWait) = 0;
    // After a failure late in the install: the bar and its text back at 0.
    virtual void ResetProgress() = 0;
    // The bar full and the finished look of it.
    virtual void ShowInstallComplete() = 0;
    // The finished page's timers: bring to front, then close (0: none).
    virtual void SetFinishTimers(uint32_t bringToFrontMs, uint32_t autoCloseMs) = 0;
    // Lets the window settle before a program is started over it.
    virtual void SettleBeforeLaunch() = 0;

    virtual void InstallEnded(InstallOutcome outcome) = 0;
    virtual void Close() = 0;
};

// The analytics reports the flow makes (task and page reports).
class InstallReports {
public:
    virtual ~InstallReports() = default;
    virtual void ReportTask(const std::wstring& taskName, float elapsedSeconds,
                            const std::wstring& reason) = 0;
    // The page report "安装中".
    virtual void ReportPage() = 0;
};
