#pragma once

// Top-level windows, their message queue and timers, in the shape of the
// Windows user-interface calls the toolkit makes. One backend shows real
// borderless windows on the desktop, the other runs the same code on the SDL
// dummy video driver (no display) for tests and headless runs.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct WindowHandle;
using HWND = WindowHandle*;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    int x = 0;
    int y = 0;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// lParam of WM_NCCREATE and WM_CREATE.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// lParam of WM_GETMINMAXINFO.
struct MINMAXINFO {
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_NCCREATE = 0x0081;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_NCCALCSIZE = 0x0083;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_NCACTIVATE = 0x0086;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_EXITSIZEMOVE = 0x0232;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// Window style bits: kept for the window to read; the platform draws no frame.
inline constexpr unsigned WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr unsigned WS_POPUP = 0x80000000;
inline constexpr unsigned WS_VISIBLE = 0x10000000;
inline constexpr unsigned WS_CLIPSIBLINGS = 0x04000000;
inline constexpr unsigned WS_CLIPCHILDREN = 0x02000000;
inline constexpr unsigned WS_CAPTION = 0x00C00000;
inline constexpr unsigned WS_MAXIMIZEBOX = 0x00010000;
inline constexpr unsigned WS_EX_TOPMOST = 0x00000008;

inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;

inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;
inline constexpr LRESULT HTCAPTION = 2;
inline constexpr LRESULT HTLEFT = 10;
inline constexpr LRESULT HTRIGHT = 11;
inline constexpr LRESULT HTTOP = 12;
inline constexpr LRESULT HTTOPLEFT = 13;
inline constexpr LRESULT HTTOPRIGHT = 14;
inline constexpr LRESULT HTBOTTOM = 15;
inline constexpr LRESULT HTBOTTOMLEFT = 16;
inline constexpr LRESULT HTBOTTOMRIGHT = 17;

inline constexpr WPARAM VK_BACK = 0x08;
inline constexpr WPARAM VK_TAB = 0x09;
inline constexpr WPARAM VK_RETURN = 0x0D;
inline constexpr WPARAM VK_ESCAPE = 0x1B;
inline constexpr WPARAM VK_SHIFT = 0x10;
inline constexpr WPARAM VK_CONTROL = 0x11;
inline constexpr WPARAM VK_MENU = 0x12;
inline constexpr WPARAM VK_SPACE = 0x20;
inline constexpr WPARAM VK_END = 0x23;
inline constexpr WPARAM VK_HOME = 0x24;
inline constexpr WPARAM VK_LEFT = 0x25;
inline constexpr WPARAM VK_UP = 0x26;
inline constexpr WPARAM VK_RIGHT = 0x27;
inline constexpr WPARAM VK_DOWN = 0x28;
inline constexpr WPARAM VK_DELETE = 0x2E;
inline constexpr WPARAM VK_F4 = 0x73;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_RESTORE = 9;

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;

inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(
        static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
        (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}
constexpr int GET_X_LPARAM(LPARAM value) { return static_cast<std::int16_t>(value & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM value) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFF);
}

enum class VideoBackend {
    Auto,      // the desktop when DISPLAY or WAYLAND_DISPLAY is set, otherwise headless
    Desktop,   // real windows through SDL's default video driver
    Headless,  // SDL's dummy video driver: windows exist only in memory
};

// Starts the video and timer subsystems once per process; later calls return
// the first result. Must run on the thread that will own the windows.
bool InitWindowing(VideoBackend backend);
bool IsHeadless();

// CreateWindowExW: the window is created hidden; WM_NCCREATE and WM_CREATE are
// sent with a CREATESTRUCT carrying createParams. Returns null when SDL cannot
// create the window or WM_NCCREATE returns 0 or WM_CREATE returns -1.
HWND CreateWindowEx(const std::wstring& title, int x, int y, int cx, int cy, HWND owner,
                    WNDPROC proc, void* createParams);
// Sends WM_DESTROY and WM_NCDESTROY, then releases the window.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// GWLP_USERDATA and GWLP_WNDPROC.
void SetWindowUserData(HWND hwnd, void* data);
void* GetWindowUserData(HWND hwnd);
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// DefWindowProcW: WM_CLOSE destroys, WM_SYSCOMMAND minimises, maximises,
// restores and closes, Alt+F4 becomes SC_CLOSE, WM_NCCREATE succeeds,
// WM_NCHITTEST answers HTCLIENT.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Safe from any thread. A message for a window destroyed meanwhile is dropped.
bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Waits for the next message of the calling thread: posted messages and input
// in arrival order, WM_PAINT when nothing else waits. False on WM_QUIT.
bool GetMessage(MSG* msg);
// PeekMessageW with PM_REMOVE: the next message if one waits (WM_PAINT
// included), false at once when none does.
bool PeekMessage(MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// GetKeyState for VK_SHIFT, VK_CONTROL and VK_MENU: negative when the key was
// down at the last keyboard message retrieved, 0 otherwise (and for any
// other key).
short GetKeyState(WPARAM virtualKey);

// SetTimer/KillTimer with a window: WM_TIMER with wParam = id every period;
// pending ticks of one timer coalesce into one message. A second SetTimer of
// the same (window, id) replaces the first. SetTimer returns 0 on failure.
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT periodMs);
bool KillTimer(HWND hwnd, std::uintptr_t id);

bool ShowWindow(HWND hwnd, int command);
bool IsWindowVisible(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
HWND GetWindowOwner(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();

bool GetWindowRect(HWND hwnd, RECT* rect);
bool GetClientRect(HWND hwnd, RECT* rect);
bool SetWindowPos(HWND hwnd, int x, int y, int cx, int cy, UINT flags);
bool ScreenToClient(HWND hwnd, POINT* point);
// MonitorFromWindow + GetMonitorInfo: the work area of the monitor nearest
// to the window (the primary one for null); 0,0,0,0 without any display.
RECT GetMonitorWorkArea(HWND hwnd);

// CreateRoundRectRgn + SetWindowRgn: the window shows only inside the
// rounded rectangle (in window coordinates; right and bottom exclusive).
bool SetWindowRoundRegion(HWND hwnd, const RECT& rect, int ellipseWidth, int ellipseHeight);
// PtInRegion against the window's region; true everywhere without one.
bool PointInWindowRegion(HWND hwnd, int x, int y);

// InvalidateRect of the whole client area: a WM_PAINT follows.
bool InvalidateRect(HWND hwnd);
// BitBlt of a 32-bit premultiplied BGRA image (0xAARRGGBB per pixel) to the
// window's client area at 0,0; pixels outside the window region stay clear.
bool PresentBits(HWND hwnd, const std::uint32_t* pixels, int width, int height);

// The window icon from 32-bit premultiplied BGRA pixels.
bool SetWindowIconBits(HWND hwnd, const std::uint32_t* pixels, int width, int height);

// MessageBoxW with MB_OK: SDL's message box on a desktop, standard error
// without a display.
inline constexpr UINT MB_ICONERROR = 0x10;
void MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

}  // namespace platform
