#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "setup/analytics_install_reports.h"
#include "setup/install_flow.h"
#include "setup/install_presentation.h"
#include "skin/skin_frame.h"

namespace Skin {
class CButton;
class CCheckBox;
class CCombo;
class CEdit;
class CLabel;
class CProgress;
class CTabLayout;
}  // namespace Skin

// The chain's events reach the window as this message; lParam owns a heap
// InstallEvent, which the window deletes after handling it.
inline constexpr platform::UINT WM_INSTALL_EVENT = platform::WM_USER + 1000;

// The installer's four-page window (welcome, custom, installing, finished).
// It presents the install flow: the flow decides, the window shows and asks.
class CMainWnd : public Skin::CSkinFrame, public InstallPresentation {
public:
    // Root timers of the finished page.
    static constexpr platform::UINT TIMER_BRING_TO_FRONT = 10;
    static constexpr platform::UINT TIMER_AUTO_CLOSE = 11;
    // Accepted for the first downloader report; nothing in the installer sends it.
    static constexpr platform::UINT kDownloaderStartMessage = platform::WM_USER + 200;

    CMainWnd();
    ~CMainWnd() override;

    // Creates the window with the product's name as title (the skin sets the
    // size); null when it cannot be made.
    platform::HWND CreateMainWindow();

    void OnNotify(Skin::Notification& notification) override;
    std::unique_ptr<Skin::CControl> CreateCustomControl(std::wstring_view tagName) override;

    // InstallPresentation, on the window thread (the Post operations from any).
    void PostInstallEvent(InstallEvent event) override;
    void PostNetworkCheck(int32_t result) override;
    void PostInstall(bool proceed) override;
    void ShowMessage(MessageBoxSkin skin, const std::wstring& text,
                     const std::wstring& caption) override;
    void ShowLowSpaceMessage(double freeGiB, double neededGiB) override;
    ExistingInstallChoice AskAboutExistingInstall() override;
    DownloadFailureChoice AskAfterDownloadFailure() override;
    FlowPage CurrentPage() const override;
    void ShowPage(FlowPage page) override;
    void EnableInstallButton(bool enabled) override;
    CustomChoice CurrentCustomChoice() const override;
    std::wstring LanguageCode() const override;
    void ShowProgress(int percent, bool longWait) override;
    void ResetProgress() override;
    void ShowInstallComplete() override;
    void SetFinishTimers(uint32_t bringToFrontMs, uint32_t autoCloseMs) override;
    void SettleBeforeLaunch() override;
    void InstallEnded(InstallOutcome) override {}
    using CSkinFrame::Close;
    void Close() override { CSkinFrame::Close(1); }

protected:
    void OnInitWindow() override;
    void OnClick(Skin::Notification& notification) override;
    platform::LRESULT OnCustomMessage(platform::UINT message, platform::WPARAM wParam,
                                      platform::LPARAM lParam, bool& handled) override;
    platform::LRESULT OnClose(platform::WPARAM wParam, platform::LPARAM lParam,
                              bool& handled) override;
    virtual void OnInstallEvent(const InstallEvent& event);

private:
    void FindControls();
    void OnTabSelect();
    void OnSelectChanged(const Skin::CControl* sender);
    void OnRootTimer(platform::WPARAM id);
    void OnCloseButton();
    void ChooseFolder();
    void SetPageBackground(const wchar_t* image);
    void SelectTitleItem(int index);
    int ShowSkinBox(const wchar_t* skinFile, const wchar_t* text = nullptr,
                    const wchar_t* caption = nullptr);

    AnalyticsInstallReports reports_;
    std::unique_ptr<InstallFlow> flow_;
    // Records posted and not yet handled; what is left goes with the window.
    std::mutex pendingLock_;
    std::set<InstallEvent*> pending_;

    Skin::CControl* winCtn_ = nullptr;
    Skin::CTabLayout* titleTabLt_ = nullptr;
    Skin::CTabLayout* mainTabLt_ = nullptr;
    Skin::CButton* defaultInstallBtn_ = nullptr;
    Skin::CButton* customeInstallBtn_ = nullptr;
    Skin::CButton* customeBtn_ = nullptr;
    Skin::CCheckBox* treatyBtn_ = nullptr;
    Skin::CControl* backBtn_ = nullptr;
    Skin::CCheckBox* treatyCb_ = nullptr;
    Skin::CCheckBox* serviceCb_ = nullptr;
    Skin::CControl* chDirBtn_ = nullptr;
    Skin::CEdit* installDirEdit_ = nullptr;
    Skin::CControl* openProduceBtn_ = nullptr;
    Skin::CControl* titleGrpCtn_ = nullptr;
    Skin::CLabel* progressLb_ = nullptr;
    Skin::CCheckBox* createDSCb_ = nullptr;
    Skin::CCheckBox* createQSCb_ = nullptr;
    Skin::CControl* progressAnLb_ = nullptr;
    Skin::CControl* finishedLbl_ = nullptr;
    Skin::CProgress* installPrg_ = nullptr;
    Skin::CControl* tipLbl_ = nullptr;
    Skin::CLabel* softNameLbl_ = nullptr;
    Skin::CControl* installLogo_ = nullptr;
    Skin::CCombo* languageCombo_ = nullptr;
};
