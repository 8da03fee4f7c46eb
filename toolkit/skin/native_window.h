#pragma once

#include <string>

#include "platform/window.h"

namespace Skin {

// A native top-level window bound to this object: the window procedure finds
// the object through the window's user data (set on WM_NCCREATE from the
// creation parameter) and hands every message to OnMessage.
class CNativeWindow {
public:
    CNativeWindow() = default;
    virtual ~CNativeWindow() = default;
    CNativeWindow(const CNativeWindow&) = delete;
    CNativeWindow& operator=(const CNativeWindow&) = delete;

    platform::HWND GetHWND() const { return hwnd_; }

    // The window handle, or null when it cannot be made. Style bits are kept
    // for the window to read; the platform draws no frame either way.
    platform::HWND Create(platform::HWND parent, const std::wstring& title, unsigned style,
                          unsigned exStyle, int x, int y, int cx, int cy);
    // Shows the window, disables its owner and runs a nested message loop until
    // the window is gone. The wParam of the WM_CLOSE taken from the queue is
    // the result (0 when it was closed otherwise). A WM_QUIT ends the loop
    // and is posted again.
    int ShowModal();
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Posts WM_CLOSE with the result; the window closes when it is handled.
    void Close(int result = 0);
    // Over the owner's window (the work area without a usable owner), kept
    // inside the work area; no resizing, reordering or activation.
    void CenterWindow();
    void ResizeClient(int cx, int cy);
    // The window icon from resource (ICON, id): a PNG linked into the
    // program; false when there is none or it does not decode.
    bool SetIcon(unsigned resourceId);
    platform::LRESULT SendMessage(platform::UINT message, platform::WPARAM wParam = 0,
                                  platform::LPARAM lParam = 0);
    bool PostMessage(platform::UINT message, platform::WPARAM wParam = 0,
                     platform::LPARAM lParam = 0);

protected:
    virtual const wchar_t* GetWindowClassName() const = 0;
    virtual const wchar_t* GetSuperClassName() const { return nullptr; }
    virtual unsigned GetClassStyle() const { return 0; }
    virtual platform::LRESULT OnMessage(platform::UINT message, platform::WPARAM wParam,
                                        platform::LPARAM lParam);
    virtual void OnFinalMessage(platform::HWND hwnd);

    unsigned style() const { return style_; }
    unsigned exStyle() const { return exStyle_; }

private:
    static platform::LRESULT WindowProc(platform::HWND hwnd, platform::UINT message,
                                        platform::WPARAM wParam, platform::LPARAM lParam);

    platform::HWND hwnd_ = nullptr;
    platform::WNDPROC previousProc_ = platform::DefWindowProc;
    unsigned style_ = 0;
    unsigned exStyle_ = 0;
};

}  // namespace Skin
