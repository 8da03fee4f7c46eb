#include "skin/skin_window.h"

#include <cstdlib>
#include <cwchar>

#include "app/debug_log.h"
#include "markup/skin_package_state.h"

namespace Skin {
namespace {

constexpr unsigned kClassStyleDoubleClicks = 0x0008;  // CS_DBLCLKS
constexpr unsigned kStyleClipSiblingsAndChildren = 0x04000000 | 0x02000000;
constexpr unsigned kStyleCaption = 0x00C00000;

// The answer of a slot that leaves the message to the manager and the
// default procedure.
platform::LRESULT NotHandled(bool& handled) {
    handled = false;
    return 0;
}

bool IsClickableInCaption(const CControl& control) {
    const wchar_t* name = control.GetClass();
    return std::wcscmp(name, L"Button") == 0 || std::wcscmp(name, L"Option") == 0 ||
           std::wcscmp(name, L"Text") == 0;
}

}  // namespace

CSkinWindow::CSkinWindow() {
    OnNotifyType(L"click", [this](Notification& notification) { OnClick(notification); });
}

CSkinWindow::~CSkinWindow() {
    if (platform::IsWindow(GetHWND())) platform::DestroyWindow(GetHWND());
}

const wchar_t* CSkinWindow::GetWindowClassName() const { return L"SkinWindow"; }

unsigned CSkinWindow::GetClassStyle() const { return kClassStyleDoubleClicks; }

unsigned CSkinWindow::GetStyle() const {
    return (style() & ~kStyleCaption) | kStyleClipSiblingsAndChildren;
}

void CSkinWindow::OnNotify(Notification& notification) { DispatchNotify(notification); }

std::unique_ptr<CControl> CSkinWindow::CreateCustomControl(std::wstring_view /*tagName*/) {
    return nullptr;
}

void CSkinWindow::OnClick(Notification& notification) {
    if (notification.sender == nullptr) return;
    const std::wstring& name = notification.sender->GetName();
    if (name == L"closebtn") {
        Close(1);
    } else if (name == L"minbtn") {
        SendMessage(platform::WM_SYSCOMMAND, platform::SC_MINIMIZE);
    } else if (name == L"maxbtn") {
        SendMessage(platform::WM_SYSCOMMAND, platform::SC_MAXIMIZE);
    } else if (name == L"restorebtn") {
        SendMessage(platform::WM_SYSCOMMAND, platform::SC_RESTORE);
    }
}

platform::LRESULT CSkinWindow::ResponseDefaultKeyEvent(platform::WPARAM key) {
    if (key == platform::VK_ESCAPE) {
        Close(1);
        return 1;
    }
    return 0;
}

platform::LRESULT CSkinWindow::MessageFilter(platform::UINT message, platform::WPARAM wParam,
                                             platform::LPARAM /*lParam*/, bool& /*handled*/) {
    // The answer is looked at, but the key still reaches the focused control.
    if (message == platform::WM_KEYDOWN &&
        (wParam == platform::VK_RETURN || wParam == platform::VK_ESCAPE)) {
        return ResponseDefaultKeyEvent(wParam);
    }
    return 0;
}

platform::LRESULT CSkinWindow::OnMessage(platform::UINT message, platform::WPARAM wParam,
                                         platform::LPARAM lParam) {
    platform::LRESULT result = 0;
    bool handled = true;
    switch (message) {
        case platform::WM_CREATE:
            result = OnCreate(wParam, lParam, handled);
            break;
        case platform::WM_CLOSE:
            result = OnClose(wParam, lParam, handled);
            break;
        case platform::WM_DESTROY:
            result = OnDestroy(wParam, lParam, handled);
            break;
        case platform::WM_NCACTIVATE:
            result = OnNcActivate(wParam, lParam, handled);
            break;
        case platform::WM_NCCALCSIZE:
            result = OnNcCalcSize(wParam, lParam, handled);
            break;
        case platform::WM_NCPAINT:
            result = OnNcPaint(wParam, lParam, handled);
            break;
        case platform::WM_NCHITTEST:
            result = OnNcHitTest(wParam, lParam, handled);
            break;
        case platform::WM_GETMINMAXINFO:
            result = OnGetMinMaxInfo(wParam, lParam, handled);
            break;
        case platform::WM_MOUSEWHEEL:
            result = OnMouseWheel(wParam, lParam, handled);
            break;
        case platform::WM_MOUSEHOVER:
            result = OnMouseHover(wParam, lParam, handled);
            break;
        case platform::WM_SIZE:
            result = OnSize(wParam, lParam, handled);
            break;
        case platform::WM_CHAR:
            result = OnChar(wParam, lParam, handled);
            break;
        case platform::WM_SYSCOMMAND:
            result = OnSysCommand(wParam, lParam, handled);
            break;
        case platform::WM_KEYDOWN:
            result = OnKeyDown(wParam, lParam, handled);
            break;
        case platform::WM_KILLFOCUS:
            result = OnKillFocus(wParam, lParam, handled);
            break;
        case platform::WM_SETFOCUS:
            result = OnSetFocus(wParam, lParam, handled);
            break;
        case platform::WM_LBUTTONDOWN:
            result = OnLButtonDown(wParam, lParam, handled);
            break;
        case platform::WM_LBUTTONUP:
            result = OnLButtonUp(wParam, lParam, handled);
            break;
        case platform::WM_MOUSEMOVE:
            result = OnMouseMove(wParam, lParam, handled);
            break;
        default:
            handled = false;
            break;
    }
    if (handled) return result;
    handled = true;
    result = OnCustomMessage(message, wParam, lParam, handled);
    if (handled) return result;
    if (manager_.MessageHandler(message, wParam, lParam, result)) return result;
    return CNativeWindow::OnMessage(message, wParam, lParam);
}

void CSkinWindow::OnFinalMessage(platform::HWND /*hwnd*/) {
    manager_.RemovePreMessageFilter(this);
    manager_.RemoveNotifier(this);
    manager_.ReleaseRoot();
}

platform::LRESULT CSkinWindow::OnCreate(platform::WPARAM /*wParam*/, platform::LPARAM /*lParam*/,
                                        bool& handled) {
    handled = true;
    manager_.Init(GetHWND());
    manager_.AddPreMessageFilter(this);
    CSkinPackageState& skins = ProcessSkinPackageState();
    if (GetResourceType() == kSkinFromPackageResource && !skins.OpenResourcePackage()) {
        FailToLoad(L"no skin package resource");
    }
    const SkinFileResult skin = skins.LoadSkinFile(GetSkinFile());
    if (!skin.ok()) FailToLoad(skin.error);
    std::unique_ptr<CControl> root = BuildSkin(skin.document, this, manager_);
    if (root == nullptr) FailToLoad(L"no root control");
    manager_.AttachRoot(std::move(root));
    manager_.AddNotifier(this);
    OnInitWindow();
    return 0;
}

void CSkinWindow::FailToLoad(const std::wstring& reason) {
    DebugLog(L"skin \"%ls\" cannot be built: %ls\r\n", GetSkinFile().c_str(), reason.c_str());
    platform::MessageBox(GetHWND(), L"加载资源文件失败", L"Skin", platform::MB_ICONERROR);
    std::exit(1);
}

platform::LRESULT CSkinWindow::OnClose(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnDestroy(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnNcActivate(platform::WPARAM wParam, platform::LPARAM,
                                            bool& handled) {
    if (platform::IsIconic(GetHWND())) {
        handled = false;
        return 0;
    }
    return wParam == 0 ? 1 : 0;
}

platform::LRESULT CSkinWindow::OnNcCalcSize(platform::WPARAM, platform::LPARAM, bool& /*handled*/) {
    // The whole window is client area.
    return 0;
}

platform::LRESULT CSkinWindow::OnNcPaint(platform::WPARAM, platform::LPARAM, bool& /*handled*/) {
    return 0;
}

platform::LRESULT CSkinWindow::OnNcHitTest(platform::WPARAM, platform::LPARAM lParam,
                                           bool& /*handled*/) {
    platform::POINT point{platform::GET_X_LPARAM(lParam), platform::GET_Y_LPARAM(lParam)};
    platform::ScreenToClient(GetHWND(), &point);
    platform::RECT client;
    platform::GetClientRect(GetHWND(), &client);
    if (!platform::IsZoomed(GetHWND())) {
        const IntRect& box = manager_.GetSizeBox();
        const bool left = point.x < client.left + box.left;
        const bool right = point.x >= client.right - box.right;
        if (point.y < client.top + box.top) {
            return left ? platform::HTTOPLEFT : right ? platform::HTTOPRIGHT : platform::HTTOP;
        }
        if (point.y >= client.bottom - box.bottom) {
            return left    ? platform::HTBOTTOMLEFT
                   : right ? platform::HTBOTTOMRIGHT
                           : platform::HTBOTTOM;
        }
        if (left) return platform::HTLEFT;
        if (right) return platform::HTRIGHT;
    }
    const IntRect& caption = manager_.GetCaptionRect();
    if (point.x >= client.left + caption.left && point.x < client.right - caption.right &&
        point.y >= caption.top && point.y < caption.bottom) {
        const CControl* control = manager_.FindControlAt(point.x, point.y);
        if (control != nullptr && !IsClickableInCaption(*control)) return platform::HTCAPTION;
    }
    return platform::HTCLIENT;
}

platform::LRESULT CSkinWindow::OnGetMinMaxInfo(platform::WPARAM, platform::LPARAM lParam,
                                               bool& handled) {
    auto* info = reinterpret_cast<platform::MINMAXINFO*>(lParam);
    const platform::RECT work = platform::GetMonitorWorkArea(GetHWND());
    info->ptMaxPosition = {work.left, work.top};
    info->ptMaxSize = {work.right - work.left, work.bottom - work.top};
    if (manager_.GetMinInfo().cx > 0) info->ptMinTrackSize.x = manager_.GetMinInfo().cx;
    if (manager_.GetMinInfo().cy > 0) info->ptMinTrackSize.y = manager_.GetMinInfo().cy;
    if (manager_.GetMaxInfo().cx > 0) info->ptMaxTrackSize.x = manager_.GetMaxInfo().cx;
    if (manager_.GetMaxInfo().cy > 0) info->ptMaxTrackSize.y = manager_.GetMaxInfo().cy;
    handled = false;
    return 0;
}

platform::LRESULT CSkinWindow::OnMouseWheel(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnMouseHover(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnSize(platform::WPARAM wParam, platform::LPARAM, bool& handled) {
    const IntSize& round = manager_.GetRoundCorner();
    if (wParam != platform::SIZE_MINIMIZED && (round.cx != 0 || round.cy != 0)) {
        platform::RECT window;
        platform::GetWindowRect(GetHWND(), &window);
        const platform::RECT region{0, 0, window.right - window.left + 1,
                                    window.bottom - window.top + 1};
        platform::SetWindowRoundRegion(GetHWND(), region, round.cx, round.cy);
    }
    handled = false;
    return 0;
}

platform::LRESULT CSkinWindow::OnChar(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnSysCommand(platform::WPARAM wParam, platform::LPARAM lParam,
                                            bool& /*handled*/) {
    if ((wParam & 0xFFF0) == platform::SC_CLOSE) {
        SendMessage(platform::WM_CLOSE, 0, 0);
        return 0;
    }
    const bool wasZoomed = platform::IsZoomed(GetHWND());
    const platform::LRESULT result =
        CNativeWindow::OnMessage(platform::WM_SYSCOMMAND, wParam, lParam);
    if (platform::IsWindow(GetHWND()) && wasZoomed != platform::IsZoomed(GetHWND())) {
        const bool zoomed = !wasZoomed;
        if (CControl* maxButton = manager_.FindControl(L"maxbtn")) maxButton->SetVisible(!zoomed);
        if (CControl* restoreButton = manager_.FindControl(L"restorebtn")) {
            restoreButton->SetVisible(zoomed);
        }
    }
    return result;
}

platform::LRESULT CSkinWindow::OnKeyDown(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnKillFocus(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnSetFocus(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnLButtonDown(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnLButtonUp(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnMouseMove(platform::WPARAM, platform::LPARAM, bool& handled) {
    return NotHandled(handled);
}

platform::LRESULT CSkinWindow::OnCustomMessage(platform::UINT, platform::WPARAM, platform::LPARAM,
                                               bool& handled) {
    return NotHandled(handled);
}

}  // namespace Skin
