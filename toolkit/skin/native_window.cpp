#include "skin/native_window.h"

#include <algorithm>

#include "draw/bitmap.h"
#include "platform/resources.h"
#include "skin/window_manager.h"

namespace Skin {

platform::HWND CNativeWindow::Create(platform::HWND parent, const std::wstring& title,
                                     unsigned style, unsigned exStyle, int x, int y, int cx,
                                     int cy) {
    style_ = style;
    exStyle_ = exStyle;
    return platform::CreateWindowEx(title, x, y, cx, cy, parent, &CNativeWindow::WindowProc, this);
}

platform::LRESULT CNativeWindow::WindowProc(platform::HWND hwnd, platform::UINT message,
                                            platform::WPARAM wParam, platform::LPARAM lParam) {
    CNativeWindow* self = nullptr;
    if (message == platform::WM_NCCREATE) {
        const auto* create = reinterpret_cast<const platform::CREATESTRUCT*>(lParam);
        self = static_cast<CNativeWindow*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        platform::SetWindowUserData(hwnd, self);
    } else {
        self = static_cast<CNativeWindow*>(platform::GetWindowUserData(hwnd));
    }
    if (self == nullptr) return platform::DefWindowProc(hwnd, message, wParam, lParam);
    if (message == platform::WM_NCDESTROY) {
        const platform::LRESULT result =
            platform::CallWindowProc(self->previousProc_, hwnd, message, wParam, lParam);
        platform::SetWindowUserData(hwnd, nullptr);
        self->hwnd_ = nullptr;
        self->OnFinalMessage(hwnd);
        return result;
    }
    return self->OnMessage(message, wParam, lParam);
}

platform::LRESULT CNativeWindow::OnMessage(platform::UINT message, platform::WPARAM wParam,
                                           platform::LPARAM lParam) {
    return platform::CallWindowProc(previousProc_, hwnd_, message, wParam, lParam);
}

void CNativeWindow::OnFinalMessage(platform::HWND /*hwnd*/) {}

int CNativeWindow::ShowModal() {
    if (!platform::IsWindow(hwnd_)) return -1;
    const platform::HWND window = hwnd_;
    const platform::HWND owner = platform::GetWindowOwner(window);
    platform::ShowWindow(window, platform::SW_SHOWNORMAL);
    platform::SetFocus(window);
    if (owner != nullptr) platform::EnableWindow(owner, false);
    auto releaseOwner = [owner] {
        if (platform::IsWindow(owner)) {
            platform::EnableWindow(owner, true);
            platform::SetFocus(owner);
        }
    };
    int result = 0;
    bool quit = false;
    platform::MSG msg;
    while (platform::IsWindow(window)) {
        if (!platform::GetMessage(&msg)) {
            quit = true;
            break;
        }
        if (msg.hwnd == window && msg.message == platform::WM_CLOSE) {
            result = static_cast<int>(msg.wParam);
            releaseOwner();
        }
        if (!WindowManager::TranslateMessage(msg)) platform::DispatchMessage(&msg);
    }
    releaseOwner();
    if (quit) platform::PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

void CNativeWindow::ShowWindow(bool show, bool takeFocus) {
    if (!platform::IsWindow(hwnd_)) return;
    platform::ShowWindow(hwnd_, show ? platform::SW_SHOWNORMAL : platform::SW_HIDE);
    if (show && takeFocus) platform::SetFocus(hwnd_);
}

void CNativeWindow::Close(int result) {
    if (platform::IsWindow(hwnd_)) {
        platform::PostMessage(hwnd_, platform::WM_CLOSE, static_cast<platform::WPARAM>(result), 0);
    }
}

void CNativeWindow::CenterWindow() {
    platform::RECT window;
    if (!platform::GetWindowRect(hwnd_, &window)) return;
    const platform::HWND owner = platform::GetWindowOwner(hwnd_);
    platform::RECT center = platform::GetMonitorWorkArea(owner != nullptr ? owner : hwnd_);
    const platform::RECT work = center;
    if (owner != nullptr && !platform::IsIconic(owner)) platform::GetWindowRect(owner, &center);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = (center.left + center.right) / 2 - width / 2;
    int y = (center.top + center.bottom) / 2 - height / 2;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    platform::SetWindowPos(
        hwnd_, x, y, 0, 0,
        platform::SWP_NOSIZE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
}

void CNativeWindow::ResizeClient(int cx, int cy) {
    platform::SetWindowPos(
        hwnd_, 0, 0, cx, cy,
        platform::SWP_NOMOVE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
}

bool CNativeWindow::SetIcon(unsigned resourceId) {
    const platform::ResourceHandle resource =
        platform::FindResource(resourceId, platform::kResourceTypeIcon);
    const void* bytes = platform::LoadResource(resource);
    if (bytes == nullptr) return false;
    const auto icon =
        DecodeBitmap({static_cast<const char*>(bytes), platform::SizeofResource(resource)}, 0);
    return icon != nullptr &&
           platform::SetWindowIconBits(hwnd_, icon->pixels.data(), icon->width, icon->height);
}

platform::LRESULT CNativeWindow::SendMessage(platform::UINT message, platform::WPARAM wParam,
                                             platform::LPARAM lParam) {
    return platform::SendMessage(hwnd_, message, wParam, lParam);
}

bool CNativeWindow::PostMessage(platform::UINT message, platform::WPARAM wParam,
                                platform::LPARAM lParam) {
    return platform::PostMessage(hwnd_, message, wParam, lParam);
}

}  // namespace Skin
