#include "ui/main_wnd.h"

#include <chrono>
#include <thread>

#include "app/analytics_reports.h"
#include "app/debug_log.h"
#include "app/install_settings.h"
#include "markup/skin_package_state.h"
#include "platform/file_system.h"
#include "platform/folder_browser.h"
#include "platform/shell_open.h"
#include "skin/check_box.h"
#include "skin/combo.h"
#include "skin/edit.h"
#include "skin/message_pump.h"
#include "skin/progress.h"
#include "skin/tab_layout.h"
#include "ui/integer_format.h"
#include "ui/language.h"
#include "ui/message_box.h"
#include "ui/sequence_controls.h"
#include "ui/sequence_label.h"

namespace {

constexpr wchar_t kProductName[] = L"Brushwell";
constexpr wchar_t kFolderBrowserTitle[] = L"选择一个文件夹";
// The consent row is hidden in the shipped skin; there is no address to open.
constexpr wchar_t kLicenceAddress[] = L"";
constexpr wchar_t kProgressFormat[] = L"正在安装中:%d%%，请稍候...";
constexpr wchar_t kLongWaitProgressFormat[] = L"正在安装中:%d%%，请耐心等待...";
constexpr wchar_t kProgressAtZero[] = L"正在安装中:0%，请稍候...";
constexpr wchar_t kFinishedBarImage[] = L"res/mainWnd/installPrg3.png";
constexpr size_t kProgressTextChars = 250;
constexpr unsigned kIconResource = 145;
constexpr unsigned kMainWindowStyle = platform::WS_VISIBLE | platform::WS_OVERLAPPEDWINDOW;
constexpr int kDefaultPosition = static_cast<int>(0x80000000);  // CW_USEDEFAULT
// The start-up decisions run once the window's own creation is over.
constexpr platform::UINT kStartUpMessage = platform::WM_USER + 1001;
constexpr auto kSettleTime = std::chrono::milliseconds(100);

const wchar_t* const kPageBackgrounds[] = {
    L"res\\mainWnd\\bg1.png",
    L"res\\mainWnd\\bg2.png",
    L"res\\mainWnd\\bg3.png",
    L"res\\mainWnd\\bg4.png",
};

const ReportExtras kReportExtras = {{L"AB", L"IN"}};

template <typename T>
T* Find(Skin::WindowManager& manager, const wchar_t* name) {
    return dynamic_cast<T*>(manager.FindControl(name));
}

Skin::CSequenceLabel* AsSequenceLabel(Skin::CControl* control) {
    return dynamic_cast<Skin::CSequenceLabel*>(control);
}

void SetVisible(Skin::CControl* control, bool visible) {
    if (control != nullptr) control->SetVisible(visible);
}

// The label shows the product's name at the width that name needs.
void ShowProductName(Skin::CLabel* label) {
    if (label == nullptr) return;
    label->SetText(kProductName);
    const Skin::IntRect& padding = label->GetTextPadding();
    label->SetFixedWidth(label->NaturalWidth(9999) - padding.left - padding.right);
}

// A tip window's answer: okBtn (0), cancelBtn or closed (1), anything else.
template <typename Choice>
Choice TipChoice(int boxResult) {
    return boxResult == 0 || boxResult == 1 ? static_cast<Choice>(boxResult) : Choice::Dismissed;
}

}  // namespace

CMainWnd::CMainWnd()
    : CSkinFrame({Skin::kSkinFromPackageResource, 147, L"", L"MainWnd.xml", L"MainWnd"}),
      flow_(std::make_unique<InstallFlow>(*this, reports_)) {}

CMainWnd::~CMainWnd() {
    flow_.reset();  // waits for the chain's threads, the last posters of records
    std::lock_guard lock(pendingLock_);
    for (InstallEvent* record : pending_) delete record;
    pending_.clear();
}

platform::HWND CMainWnd::CreateMainWindow() {
    return Create(nullptr, kProductName, kMainWindowStyle, 0, kDefaultPosition, kDefaultPosition,
                  kDefaultPosition, kDefaultPosition);
}

std::unique_ptr<Skin::CControl> CMainWnd::CreateCustomControl(std::wstring_view tagName) {
    return CreateSequenceControl(tagName);
}

void CMainWnd::FindControls() {
    Skin::WindowManager& m = manager();
    winCtn_ = m.FindControl(L"winCtn");
    titleTabLt_ = Find<Skin::CTabLayout>(m, L"titleTabLt");
    mainTabLt_ = Find<Skin::CTabLayout>(m, L"mainTabLt");
    defaultInstallBtn_ = Find<Skin::CButton>(m, L"defaultInstallBtn");
    customeInstallBtn_ = Find<Skin::CButton>(m, L"customeInstallBtn");
    customeBtn_ = Find<Skin::CButton>(m, L"customeBtn");
    treatyBtn_ = Find<Skin::CCheckBox>(m, L"treatyBtn");
    backBtn_ = m.FindControl(L"backBtn");
    treatyCb_ = Find<Skin::CCheckBox>(m, L"treatyCb");
    serviceCb_ = Find<Skin::CCheckBox>(m, L"serviceCb");
    chDirBtn_ = m.FindControl(L"chDirBtn");
    installDirEdit_ = Find<Skin::CEdit>(m, L"installDirEdit");
    openProduceBtn_ = m.FindControl(L"openProduceBtn");
    titleGrpCtn_ = m.FindControl(L"titleGrpCtn");
    progressLb_ = Find<Skin::CLabel>(m, L"progressLb");
    createDSCb_ = Find<Skin::CCheckBox>(m, L"createDSCb");
    createQSCb_ = Find<Skin::CCheckBox>(m, L"createQSCb");
    progressAnLb_ = m.FindControl(L"progressAnLb");
    finishedLbl_ = m.FindControl(L"finishedLbl");
    installPrg_ = Find<Skin::CProgress>(m, L"installPrg");
    tipLbl_ = m.FindControl(L"tipLbl");
    softNameLbl_ = Find<Skin::CLabel>(m, L"softNameLbl");
    installLogo_ = m.FindControl(L"installLogo");
    languageCombo_ = Find<Skin::CCombo>(m, L"languageCombo");
}

void CMainWnd::OnInitWindow() {
    CSkinFrame::OnInitWindow();
    SetIcon(kIconResource);
    FindControls();
    if (languageCombo_ != nullptr) {
        const int language = InstallSettings::Instance().Language;
        languageCombo_->SelectItem(language, false, true);
        ApplyLanguage(manager(), language);
    }
    ShowProductName(softNameLbl_);
    for (const wchar_t* name : {L"bTitleLbl1", L"bTitleLbl2", L"bTitleLbl3"}) {
        ShowProductName(Find<Skin::CLabel>(manager(), name));
    }
    const std::wstring defaultFolder = flow_->Initialise();
    if (installDirEdit_ != nullptr) installDirEdit_->SetText(defaultFolder);
    CenterWindow();
    PostMessage(kStartUpMessage);
}

platform::LRESULT CMainWnd::OnCustomMessage(platform::UINT message, platform::WPARAM wParam,
                                            platform::LPARAM lParam, bool& handled) {
    switch (message) {
        case WM_INSTALL_EVENT: {
            auto* record = reinterpret_cast<InstallEvent*>(lParam);
            {
                std::lock_guard lock(pendingLock_);
                pending_.erase(record);
            }
            std::unique_ptr<InstallEvent> owned(record);
            OnInstallEvent(*owned);
            handled = true;
            return 0;
        }
        case kStartUpMessage:
            if (flow_->ExistingInstallFound()) {
                const int language = LanguageOfInstallation(flow_->Location().recordedInstallPath);
                manager().NeedUpdate();
                if (languageCombo_ != nullptr) languageCombo_->SelectItem(language, false, true);
            }
            flow_->StartUp();
            handled = true;
            return 0;
        case kDownloaderStartMessage:
            flow_->ReportDownloaderStart();
            break;
        default:
            break;
    }
    return CSkinFrame::OnCustomMessage(message, wParam, lParam, handled);
}

platform::LRESULT CMainWnd::OnClose(platform::WPARAM wParam, platform::LPARAM lParam,
                                    bool& handled) {
    // Nothing closes the window while the install runs.
    if (CurrentPage() == FlowPage::Installing) {
        handled = true;
        return 0;
    }
    return CSkinFrame::OnClose(wParam, lParam, handled);
}

void CMainWnd::OnInstallEvent(const InstallEvent& event) { flow_->OnInstallEvent(event); }

void CMainWnd::OnNotify(Skin::Notification& notification) {
    const std::wstring& type = notification.type;
    if (type == L"checknet") {
        flow_->OnNetworkCheck(static_cast<int32_t>(notification.wParam));
    } else if (type == L"install") {
        flow_->BeginDownloadInstall(notification.wParam != 0);
    } else if (type == L"tabselect") {
        OnTabSelect();
    } else if (type == L"selectchanged") {
        OnSelectChanged(notification.sender);
    } else if (type == L"timer" && notification.sender == manager().Root()) {
        OnRootTimer(notification.wParam);
    } else if (type == L"itemselect" && notification.sender != nullptr &&
               notification.sender == languageCombo_) {
        ApplyLanguage(manager(), languageCombo_->GetCurSel());
    }
    CSkinFrame::OnNotify(notification);
}

void CMainWnd::SetPageBackground(const wchar_t* image) {
    if (winCtn_ == nullptr) return;
    winCtn_->SetBkImage(image);
    winCtn_->Invalidate();
}

void CMainWnd::SelectTitleItem(int index) {
    if (titleTabLt_ != nullptr) titleTabLt_->SelectItem(index, false);
}

void CMainWnd::OnTabSelect() {
    const int page = mainTabLt_ != nullptr ? mainTabLt_->GetCurSel() : -1;
    switch (page) {
        case 0:
        case 1:
            SetPageBackground(kPageBackgrounds[page]);
            SelectTitleItem(1);
            break;
        case 2:
            SetPageBackground(kPageBackgrounds[2]);
            if (auto* animation = AsSequenceLabel(progressAnLb_)) animation->StartAnimation();
            break;
        case 3:
            SelectTitleItem(2);
            SetPageBackground(kPageBackgrounds[3]);
            if (auto* animation = AsSequenceLabel(progressAnLb_)) animation->StopAnimation();
            if (auto* animation = AsSequenceLabel(finishedLbl_)) animation->StartAnimation();
            break;
        default:
            if (mainTabLt_ == nullptr) {
                SetPageBackground(kPageBackgrounds[0]);
                SelectTitleItem(0);
            }
            break;
    }
    SetVisible(titleGrpCtn_, page != 2);
    SetVisible(installLogo_, page == 2);
    SetVisible(backBtn_, page == 1);
}

void CMainWnd::OnSelectChanged(const Skin::CControl* sender) {
    if (sender == nullptr) return;
    if (sender == treatyCb_) {
        if (treatyBtn_ != nullptr) treatyBtn_->Selected(treatyCb_->IsSelected(), true);
        const bool agreed =
            treatyCb_->IsSelected() && (serviceCb_ == nullptr || serviceCb_->IsSelected());
        if (customeBtn_ != nullptr) customeBtn_->SetEnabled(agreed);
        if (agreed) SetVisible(tipLbl_, false);
    } else if (sender == serviceCb_) {
        const bool agreed = serviceCb_->IsSelected();
        if (customeBtn_ != nullptr) {
            customeBtn_->SetEnabled(agreed && treatyCb_ != nullptr && treatyCb_->IsSelected());
        }
        if (defaultInstallBtn_ != nullptr) defaultInstallBtn_->SetEnabled(agreed);
    } else if (sender == treatyBtn_ && treatyCb_ != nullptr) {
        // The agreement link shows the box's state and cannot be toggled itself.
        treatyBtn_->Selected(treatyCb_->IsSelected(), true);
    }
}

void CMainWnd::OnRootTimer(platform::WPARAM id) {
    if (id == TIMER_BRING_TO_FRONT) {
        platform::SetFocus(GetHWND());
        manager().KillTimer(manager().Root(), TIMER_BRING_TO_FRONT);
    } else if (id == TIMER_AUTO_CLOSE) {
        Close();
        manager().KillTimer(manager().Root(), TIMER_AUTO_CLOSE);
    }
}

void CMainWnd::OnClick(Skin::Notification& notification) {
    const Skin::CControl* sender = notification.sender;
    if (sender == nullptr) return;
    if (sender == defaultInstallBtn_) {
        ReportClick(kReportExtras, L"立即安装");
        // A skin without the consent box has nothing to agree to.
        if (treatyCb_ == nullptr || treatyCb_->IsSelected()) {
            flow_->StartInstall(flow_->Location().GetDefaultInstallDir(), true, true);
        } else {
            SetVisible(tipLbl_, true);
        }
    } else if (sender == customeBtn_) {
        ReportClick(kReportExtras, L"自定义安装");
        ShowPage(FlowPage::Custom);
        if (customeInstallBtn_ != nullptr) customeInstallBtn_->SetFocus();
    } else if (sender == customeInstallBtn_) {
        ReportClick(kReportExtras, L"自定义安装_立即安装");
        const CustomChoice choice = CurrentCustomChoice();
        flow_->StartInstall(flow_->Location().CustomInstallDir(choice.folderText),
                            choice.desktopShortcut, choice.quickLaunchShortcut);
    } else if (sender == chDirBtn_) {
        ChooseFolder();
    } else if (sender == backBtn_) {
        ShowPage(FlowPage::Welcome);
    } else if (sender == treatyBtn_) {
        platform::ShellOpen(kLicenceAddress);
    } else if (sender == openProduceBtn_) {
        ReportClick(kReportExtras, L"立即体验");
        if (flow_->StartupStyle() == 2) flow_->LaunchProduct();
        Close();
    } else if (sender->GetName() == L"closebtn") {
        OnCloseButton();
    } else {
        CSkinFrame::OnClick(notification);
    }
}

void CMainWnd::OnCloseButton() {
    if (CurrentPage() == FlowPage::Finished || ShowSkinBox(L"ExitTipWnd.xml") == 0) Close();
}

void CMainWnd::ChooseFolder() {
    std::wstring folder;
    if (!platform::BrowseForFolder(GetHWND(), kFolderBrowserTitle, folder)) {
        DebugLog(L"no folder chosen (or no folder browser available)\r\n");
        return;
    }
    if (installDirEdit_ != nullptr) installDirEdit_->SetText(folder);
}

int CMainWnd::ShowSkinBox(const wchar_t* skinFile, const wchar_t* text, const wchar_t* caption) {
    return ShowMessageBox(GetHWND(), MessageBoxSource(skinFile), text, caption);
}

void CMainWnd::PostInstallEvent(InstallEvent event) {
    auto* record = new InstallEvent(std::move(event));
    {
        std::lock_guard lock(pendingLock_);
        pending_.insert(record);
    }
    if (!PostMessage(WM_INSTALL_EVENT, 0, reinterpret_cast<platform::LPARAM>(record))) {
        std::lock_guard lock(pendingLock_);
        pending_.erase(record);
        delete record;
    }
}

void CMainWnd::PostNetworkCheck(int32_t result) {
    manager().SendNotify(manager().Root(), L"checknet",
                         static_cast<platform::WPARAM>(static_cast<uint32_t>(result)), 0, true);
}

void CMainWnd::PostInstall(bool proceed) {
    manager().SendNotify(manager().Root(), L"install", proceed ? 1 : 0, 0, true);
}

void CMainWnd::ShowMessage(MessageBoxSkin skin, const std::wstring& text,
                           const std::wstring& caption) {
    ShowSkinBox(skin == MessageBoxSkin::Notice ? L"MessageBox1Wnd.xml" : L"MessageBox2Wnd.xml",
                text.c_str(), caption.c_str());
}

void CMainWnd::ShowLowSpaceMessage(double /*freeGiB*/, double /*neededGiB*/) {
    ShowSkinBox(L"MessageBox2Wnd.xml", LanguageText(104).c_str(), kNoticeCaption);
}

ExistingInstallChoice CMainWnd::AskAboutExistingInstall() {
    return TipChoice<ExistingInstallChoice>(ShowSkinBox(L"InstalledPathTipWnd.xml"));
}

DownloadFailureChoice CMainWnd::AskAfterDownloadFailure() {
    return TipChoice<DownloadFailureChoice>(ShowSkinBox(L"NetworkTipWnd.xml"));
}

FlowPage CMainWnd::CurrentPage() const {
    const int page = mainTabLt_ != nullptr ? mainTabLt_->GetCurSel() : 0;
    return page >= 0 && page <= 3 ? static_cast<FlowPage>(page) : FlowPage::Welcome;
}

void CMainWnd::ShowPage(FlowPage page) {
    if (mainTabLt_ != nullptr) mainTabLt_->SelectItem(static_cast<int>(page), true);
}

void CMainWnd::EnableInstallButton(bool enabled) {
    if (customeInstallBtn_ != nullptr) customeInstallBtn_->SetEnabled(enabled);
}

CustomChoice CMainWnd::CurrentCustomChoice() const {
    CustomChoice choice;
    if (installDirEdit_ != nullptr) choice.folderText = installDirEdit_->GetText();
    choice.desktopShortcut = createDSCb_ != nullptr && createDSCb_->IsSelected();
    choice.quickLaunchShortcut = createQSCb_ != nullptr && createQSCb_->IsSelected();
    return choice;
}

std::wstring CMainWnd::LanguageCode() const {
    return languageCombo_ != nullptr ? LanguageCodeOf(languageCombo_->GetCurSel()) : L"";
}

void CMainWnd::ShowProgress(int percent, bool longWait) {
    if (progressLb_ != nullptr) {
        const wchar_t* fallback = longWait ? kLongWaitProgressFormat : kProgressFormat;
        const std::wstring& skinFormat = progressLb_->GetUserData();
        std::optional<std::wstring> text;
        if (!skinFormat.empty())
            text = FormatIntegerPattern(skinFormat, percent, kProgressTextChars);
        if (!text) text = FormatIntegerPattern(fallback, percent, kProgressTextChars);
        progressLb_->SetText(*text);
    }
    if (installPrg_ != nullptr) installPrg_->SetValue(percent);
}

void CMainWnd::ResetProgress() {
    if (progressLb_ != nullptr) progressLb_->SetText(kProgressAtZero);
    if (installPrg_ != nullptr) installPrg_->SetValue(0);
}

void CMainWnd::ShowInstallComplete() {
    if (installPrg_ != nullptr) {
        installPrg_->SetValue(100);
        const std::wstring finishedBar =
            Skin::ProcessSkinPackageState().resourceFolder() + kFinishedBarImage;
        if (platform::FileExists(finishedBar)) {
            installPrg_->SetForeImage(finishedBar);
            installPrg_->Invalidate();
        }
    }
    if (softNameLbl_ != nullptr) {
        softNameLbl_->SetText(kProductName);
        softNameLbl_->SetVisible(true);
    }
}

void CMainWnd::SetFinishTimers(uint32_t bringToFrontMs, uint32_t autoCloseMs) {
    if (bringToFrontMs != 0)
        manager().SetTimer(manager().Root(), TIMER_BRING_TO_FRONT, bringToFrontMs);
    if (autoCloseMs != 0) manager().SetTimer(manager().Root(), TIMER_AUTO_CLOSE, autoCloseMs);
}

void CMainWnd::SettleBeforeLaunch() {
    // The window repaints its finished page before a program opens over it.
    const auto start = std::chrono::steady_clock::now();
    while (platform::IsWindow(GetHWND()) &&
           std::chrono::steady_clock::now() - start < kSettleTime) {
        if (!Skin::PumpMessages()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
