#include "setup/install_flow.h"

#include <chrono>
#include <cwchar>

#include "app/debug_log.h"
#include "app/install_settings.h"
#include "platform/file_system.h"
#include "platform/shell_open.h"
#include "setup/install_progress.h"
#include "setup/worker_thread.h"
#include "utils/check_network.h"
#include "utils/environment_probes.h"
#include "utils/hard_disk_manager.h"
#include "utils/install_folders.h"
#include "utils/install_paths.h"

namespace {

constexpr wchar_t kMessageCaption[] = L"消息";
constexpr wchar_t kProductRunningText[] =
    L"安装程序检测到Brushwell\r\n正在运行，请退出程序后再安装";
constexpr wchar_t kInvalidPathText[] = L"无效路径";
constexpr wchar_t kPoorNetworkText[] = L"当前网络环境较差，请在网络通畅时进行安装";
constexpr wchar_t kInstallFailedText[] = L"安装失败";
constexpr wchar_t kProductExe[] = L"Brushwell.exe";
constexpr wchar_t kRemovalCopyExe[] = L"Brushwell_un_asa.exe";
constexpr double kNeededGiB = 1.0;
// A bar this far on is reset when the install fails.
constexpr int kResetFromPercent = 70;
// The report texts are cut to this many characters.
constexpr size_t kReportTextLimit = 199;

uint64_t NowMilliseconds() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

template <typename... Args>
std::wstring Format(const wchar_t* format, Args... args) {
    wchar_t buffer[1024];
    const int length = std::swprintf(buffer, 1024, format, args...);
    if (length < 0) return {};
    return std::wstring(buffer, std::min<size_t>(static_cast<size_t>(length), kReportTextLimit));
}

// A file can be created at `path` (an existing one is deleted first).
bool CanCreateFileAt(const std::wstring& path) {
    if (platform::PathExists(path) && !platform::DeleteFile(path)) return false;
    if (!platform::WriteFileAtomically(path, {})) return false;
    platform::DeleteFile(path);
    return true;
}

}  // namespace

InstallFlow::InstallFlow(InstallPresentation& presentation, InstallReports& reports)
    : presentation(presentation), reports(reports) {}

InstallFlow::~InstallFlow() {
    driver.reset();  // waits for the chain's threads
    networkCheckThread.reset();
}

std::wstring InstallFlow::Initialise() {
    driver = std::make_unique<CDownloadInstaller>(
        [this](int32_t code, double value, const wchar_t* text) {
            presentation.PostInstallEvent({code, value, text ? text : L""});
        },
        L"", L"", L"", true, true, true);
    location.ReadInstallRecord();
    existingInstallFound = !location.recordedInstallPath.empty();
    return location.GetDefaultInstallDir();
}

void InstallFlow::StartUp() {
    if (!existingInstallFound) return;
    const std::wstring& recorded = location.recordedInstallPath;
    if (InstallSettings::Instance().InsNew) {
        StartInstall(recorded, true, true);
        return;
    }
    if (FindProcessByName(kProductExe) != 0) {
        ShowMessage(MessageBoxSkin::Notice, kProductRunningText);
        presentation.InstallEnded(InstallOutcome::ProductRunning);
        presentation.Close();
        return;
    }
    switch (presentation.AskAboutExistingInstall()) {
        case ExistingInstallChoice::InstallNewest:
            StartInstall(recorded, true, true);
            break;
        case ExistingInstallChoice::OpenProduct:
            exePath = InstallPaths::Join(recorded, kProductExe);
            platform::ShellOpen(exePath, recorded);
            presentation.Close();
            break;
        case ExistingInstallChoice::Dismissed:
            presentation.Close();
            break;
    }
}

void InstallFlow::ShowMessage(MessageBoxSkin skin, const std::wstring& text) {
    presentation.ShowMessage(skin, text, kNoticeCaption);
}

void InstallFlow::RefuseWhileRunning(bool closeAlways) {
    ShowMessage(MessageBoxSkin::Notice, kProductRunningText);
    presentation.InstallEnded(InstallOutcome::ProductRunning);
    if (closeAlways || existingInstallFound) presentation.Close();
}

bool InstallFlow::StartInstall(const std::wstring& folder, bool desktopShortcut, bool quickLaunch) {
    const InstallSettings& settings = InstallSettings::Instance();
    if (!settings.InsNew) {
        if (FindProcessByName(kRemovalCopyExe) != 0) {
            RefuseWhileRunning(false);
            return false;
        }
        if (FindProcessByName(kProductExe) != 0) {
            RefuseWhileRunning(true);
            return false;
        }
    }
    presentation.EnableInstallButton(false);
    if (!CreateDirectoryTree(folder)) {
        ShowMessage(MessageBoxSkin::Warning, kInvalidPathText);
        BeginDownloadInstall(false);
        presentation.InstallEnded(InstallOutcome::InvalidPath);
        return false;
    }
    // On Linux the "drive" of a folder is the file system that holds it.
    Utils::HardDiskManager disk;
    disk.CheckFreeSpace(folder);
    if (!Utils::HasRoomForInstall(disk.freeBytesAvailable)) {
        presentation.ShowLowSpaceMessage(Utils::GibiBytes(disk.freeBytesAvailable), kNeededGiB);
        BeginDownloadInstall(false);
        presentation.InstallEnded(InstallOutcome::LowDiskSpace);
        return false;
    }
    location.installDir = folder;
    const std::wstring uninstaller =
        location.IsOverrideDisabled(folder) ? std::wstring() : location.recordedUninstEp;
    driver->SetParams(settings.DownloadUrl, location.recordedInstallPath, uninstaller, folder,
                      desktopShortcut, quickLaunch, location.consoleUserIsAdmin,
                      location.processIsAdmin, presentation.LanguageCode());
    if (settings.IsCheckNet) {
        networkCheckThread.reset();  // waits for an earlier check
        networkCheckThread = StartWorkerThread(
            [this] { presentation.PostNetworkCheck(Utils::CheckNetwork()); }, L"ABDEF");
    } else {
        presentation.PostInstall(true);
    }
    return true;
}

void InstallFlow::OnNetworkCheck(int32_t result) {
    const bool offline = (result >> 16) != 0;
    if (offline) ShowMessage(MessageBoxSkin::Warning, kPoorNetworkText);
    BeginDownloadInstall(!offline);
    if (offline) presentation.InstallEnded(InstallOutcome::NoNetwork);
}

void InstallFlow::BeginDownloadInstall(bool proceed) {
    if (proceed) {
        startPage = presentation.CurrentPage();
        presentation.ShowPage(FlowPage::Installing);
        reports.ReportPage();
        driver->Start();
    }
    presentation.EnableInstallButton(true);
}

void InstallFlow::ReportDownloaderStart() {
    if (downloaderStartReported) return;
    downloaderStartReported = true;
    reports.ReportTask(L"下载器启动", 0.0f, L"");
}

double InstallFlow::DownloadSeconds() const {
    if (!downloadClockRunning) return 0.0;
    return static_cast<double>(NowMilliseconds() - downloadStartTick) / 1000.0;
}

void InstallFlow::ShowProgress(int percent) {
    shownPercent = percent;
    presentation.ShowProgress(percent, DownloadSeconds() > 60.0);
}

void InstallFlow::OnInstallEvent(const InstallEvent& event) {
    const double share = InstallSettings::Instance().DownloadScale;
    switch (event.code) {
        case DL_CODE_START:
            ReportDownloaderStart();
            downloadStartTick = NowMilliseconds();
            downloadClockRunning = true;
            reports.ReportTask(L"开始下载大包", 0.0f, L"");
            break;
        case DL_CODE_PROGRESS:
            ShowProgress(InstallProgress::DownloadPercent(event.value, share));
            break;
        case DL_CODE_SUCCESS:
            reports.ReportTask(L"大包下载完毕", static_cast<float>(DownloadSeconds()), L"");
            break;
        case DL_CODE_FAIL:
            OnDownloadFailed(event);
            break;
        case DL_CODE_MD5_NOTICE:
            ReportFailureReason(event, true);
            break;
        case IST_CODE_START:
            location.WriteInstallIni();
            break;
        case IST_CODE_PROGRESS:
            installFraction = InstallProgress::NextInstallFraction(installFraction, event.value);
            ShowProgress(InstallProgress::InstallPercent(installFraction, share));
            break;
        case IST_CODE_SUCCESS:
            reports.ReportTask(L"安装成功", 0.0f, L"");
            shownPercent = 100;
            presentation.ShowInstallComplete();
            presentation.ShowPage(FlowPage::Finished);
            FinishInstall();
            presentation.InstallEnded(InstallOutcome::Installed);
            break;
        case IST_CODE_FAIL:
            ReportFailureReason(event, false);
            ShowMessage(MessageBoxSkin::Warning,
                        event.text.empty() ? kInstallFailedText : event.text);
            if (shownPercent >= kResetFromPercent) {
                shownPercent = 0;
                presentation.ResetProgress();
            }
            presentation.ShowPage(FlowPage::Welcome);
            presentation.InstallEnded(InstallOutcome::InstallFailed);
            break;
        case IST_CODE_INST_PATH:
            location.installDir = event.text;
            break;
        case IST_CODE_EXE_PATH:
            exePath = event.text;
            break;
        case IST_CODE_UNINST_EP:
            location.uninstEp = event.text;
            break;
        case IST_CODE_START_URL:
            startUrl = event.text;
            break;
        case IST_CODE_STARTUP_STYLE:
            startupStyle = static_cast<int>(event.value);
            break;
        case IST_CODE_TOP_SHOW:
            topShowDetention = static_cast<uint32_t>(event.value);
            break;
        case IST_CODE_FINISH_CLOSE:
            finishCloseDetention = static_cast<uint32_t>(event.value);
            break;
        case IST_CODE_MESSAGE:
            presentation.ShowMessage(MessageBoxSkin::Notice, event.text, kMessageCaption);
            break;
        case UNIST_CODE_FAIL:
        case UNIST_CODE_ERROR:
            OnRemovalFailed();
            break;
        default:
            break;
    }
}

void InstallFlow::OnDownloadFailed(const InstallEvent& event) {
    ReportDownloadFailure(event);
    const DownloadFailureChoice choice = presentation.AskAfterDownloadFailure();
    if (choice != DownloadFailureChoice::Retry) {
        presentation.InstallEnded(InstallOutcome::DownloadFailed);
    }
    if (choice == DownloadFailureChoice::Later && existingInstallFound) presentation.Close();
    if (choice == DownloadFailureChoice::Retry) {
        if (startPage == FlowPage::Welcome) {
            StartInstall(location.GetDefaultInstallDir(), true, true);
        } else {
            const CustomChoice custom = presentation.CurrentCustomChoice();
            StartInstall(location.CustomInstallDir(custom.folderText), custom.desktopShortcut,
                         custom.quickLaunchShortcut);
        }
    }
    presentation.ShowPage(startPage);
}

void InstallFlow::OnRemovalFailed() {
    ShowMessage(MessageBoxSkin::Notice, kProductRunningText);
    presentation.ShowPage(startPage);
    presentation.InstallEnded(InstallOutcome::RemovalFailed);
    if (existingInstallFound) presentation.Close();
}

void InstallFlow::FinishInstall() {
    location.WriteInstallRecord();
    location.WriteInstallIni();
    if (startupStyle == 1) LaunchProduct();
    presentation.SetFinishTimers(topShowDetention, finishCloseDetention);
}

void InstallFlow::LaunchProduct() {
    if (startUrl.size() > 5) platform::ShellOpen(startUrl);
    if (platform::FileExists(exePath)) {
        presentation.SettleBeforeLaunch();
        platform::ShellOpen(exePath);
    }
}

void InstallFlow::ReportDownloadFailure(const InstallEvent& event) {
    const std::wstring packagePath = driver->PackagePath();
    Utils::HardDiskManager disk;
    disk.CheckFreeSpace(InstallPaths::FolderOf(packagePath));
    const wchar_t* access = CanCreateFileAt(packagePath) ? L"可读" : L"无权限";
    const std::wstring reason = Format(
        L"1.code=%ld；2.msg=%ls；3.缓存磁盘容量=%.2fG；4.缓存读写权限=%ls；5.服务器连接状态code=%d",
        static_cast<long>(static_cast<int32_t>(event.value)), event.text.c_str(),
        Utils::GibiBytes(disk.freeBytesAvailable), access, Utils::CheckNetwork());
    reports.ReportTask(L"下载失败原因", 0.0f, reason);
}

void InstallFlow::ReportFailureReason(const InstallEvent& event, bool download) {
    const std::wstring reason =
        Format(L":1.code=%ld；2.msg=%ls", static_cast<long>(static_cast<int32_t>(event.value)),
               event.text.c_str());
    reports.ReportTask(download ? L"下载失败原因" : L"安装失败原因", 0.0f, reason);
}
