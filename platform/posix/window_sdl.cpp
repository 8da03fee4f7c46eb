#include <SDL.h>
#include <SDL_shape.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "platform/text.h"
#include "platform/window.h"
#include "sdl_window_table.h"

namespace platform {
namespace {

struct Windowing {
    bool started = false;
    bool ok = false;
    bool headless = false;
    Uint32 postedEventType = 0;
    // Handles stay allocated after destruction so that a message posted to a
    // dead window can never reach a new window that got the same address.
    std::vector<std::unique_ptr<WindowHandle>> handles;
    std::map<Uint32, HWND> bySdlId;
    HWND focus = nullptr;
};

Windowing& State() {
    static Windowing state;
    return state;
}

bool HasDisplayVariable() {
    const char* x11 = getenv("DISPLAY");
    const char* wayland = getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

bool InRoundRegion(const RoundRegion& region, int x, int y) {
    const RECT& r = region.rect;
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return false;
    const double rx = region.ellipseWidth / 2.0;
    const double ry = region.ellipseHeight / 2.0;
    if (rx < 1.0 || ry < 1.0) return true;
    const double px = x + 0.5;
    const double py = y + 0.5;
    // Only the four corner boxes are cut by the ellipse quarters.
    const double cx = px < r.left + rx ? r.left + rx : (px > r.right - rx ? r.right - rx : px);
    const double cy = py < r.top + ry ? r.top + ry : (py > r.bottom - ry ? r.bottom - ry : py);
    const double dx = (px - cx) / rx;
    const double dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void ApplyShape(HWND hwnd) {
    if (!hwnd->shaped || !hwnd->region) return;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    SDL_Surface* mask =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (mask == nullptr) return;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(mask->pixels) + y * mask->pitch);
        for (int x = 0; x < width; ++x)
            row[x] = InRoundRegion(*hwnd->region, x, y) ? 0xFF000000u : 0;
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(hwnd->sdl, mask, &mode);
    SDL_FreeSurface(mask);
}

// The window manager asks where a press lands: the caption band drags the
// window, the size-box bands resize it.
SDL_HitTestResult HitTest(SDL_Window* /*window*/, const SDL_Point* area, void* data) {
    HWND hwnd = static_cast<HWND>(data);
    if (!IsWindow(hwnd) || !hwnd->enabled) return SDL_HITTEST_NORMAL;
    RECT window;
    GetWindowRect(hwnd, &window);
    const LRESULT hit =
        SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(window.left + area->x, window.top + area->y));
    switch (hit) {
        case HTCAPTION:
            return SDL_HITTEST_DRAGGABLE;
        case HTLEFT:
            return SDL_HITTEST_RESIZE_LEFT;
        case HTRIGHT:
            return SDL_HITTEST_RESIZE_RIGHT;
        case HTTOP:
            return SDL_HITTEST_RESIZE_TOP;
        case HTBOTTOM:
            return SDL_HITTEST_RESIZE_BOTTOM;
        case HTTOPLEFT:
            return SDL_HITTEST_RESIZE_TOPLEFT;
        case HTTOPRIGHT:
            return SDL_HITTEST_RESIZE_TOPRIGHT;
        case HTBOTTOMLEFT:
            return SDL_HITTEST_RESIZE_BOTTOMLEFT;
        case HTBOTTOMRIGHT:
            return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
        default:
            return SDL_HITTEST_NORMAL;
    }
}

}  // namespace

namespace sdl_windows {

HWND FromSdlId(Uint32 windowId) {
    auto& map = State().bySdlId;
    const auto found = map.find(windowId);
    return found == map.end() ? nullptr : found->second;
}

bool IsLive(HWND hwnd) {
    if (hwnd == nullptr || hwnd->sdl == nullptr) return false;
    for (const auto& [id, live] : State().bySdlId) {
        if (live == hwnd) return true;
    }
    return false;
}

HWND TakeDirty() {
    for (const auto& [id, hwnd] : State().bySdlId) {
        if (hwnd->dirty) {
            hwnd->dirty = false;
            return hwnd;
        }
    }
    return nullptr;
}

Uint32 PostedEventType() { return State().postedEventType; }

}  // namespace sdl_windows

bool InitWindowing(VideoBackend backend) {
    Windowing& state = State();
    if (state.started) return state.ok;
    state.started = true;
    state.headless = backend == VideoBackend::Headless ||
                     (backend == VideoBackend::Auto && !HasDisplayVariable());
    // Without this the software framebuffer may be replaced by a GPU one,
    // which loses the window shape.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The process keeps its own signal handlers (crash filter, termination).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (state.headless) SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) return false;
    state.postedEventType = SDL_RegisterEvents(1);
    state.ok = state.postedEventType != static_cast<Uint32>(-1);
    return state.ok;
}

bool IsHeadless() { return State().headless; }

HWND CreateWindowEx(const std::wstring& title, int x, int y, int cx, int cy, HWND owner,
                    WNDPROC proc, void* createParams) {
    Windowing& state = State();
    if (!state.ok || proc == nullptr) return nullptr;
    const std::string utf8 = WideToMultiByte(title, kCodePageUtf8);
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    auto handle = std::make_unique<WindowHandle>();
    if (!state.headless) {
        handle->sdl =
            SDL_CreateShapedWindow(utf8.c_str(), x, y, std::max(cx, 1), std::max(cy, 1), flags);
        handle->shaped = handle->sdl != nullptr;
    }
    if (handle->sdl == nullptr) {
        handle->sdl = SDL_CreateWindow(utf8.c_str(), x, y, std::max(cx, 1), std::max(cy, 1), flags);
    }
    if (handle->sdl == nullptr) return nullptr;
    handle->proc = proc;
    handle->owner = owner;
    HWND hwnd = handle.get();
    state.handles.push_back(std::move(handle));
    state.bySdlId[SDL_GetWindowID(hwnd->sdl)] = hwnd;
    SDL_SetWindowData(hwnd->sdl, "hwnd", hwnd);
    // The dummy driver has no window manager to drag with; presses in the
    // caption are still told apart when they are translated.
    if (!state.headless) SDL_SetWindowHitTest(hwnd->sdl, &HitTest, hwnd);

    CREATESTRUCT create;
    create.lpCreateParams = createParams;
    create.hwndParent = owner;
    create.x = x;
    create.y = y;
    create.cx = cx;
    create.cy = cy;
    const auto createLParam = reinterpret_cast<LPARAM>(&create);
    if (SendMessage(hwnd, WM_NCCREATE, 0, createLParam) == 0 ||
        SendMessage(hwnd, WM_CREATE, 0, createLParam) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) return nullptr;
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return hwnd;
}

bool DestroyWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return false;
    Windowing& state = State();
    // Owned windows go first, as on Windows.
    for (const auto& other : state.handles) {
        if (other->owner == hwnd && IsWindow(other.get())) DestroyWindow(other.get());
    }
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    sdl_windows::KillAllTimers(hwnd);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    if (state.focus == hwnd) state.focus = nullptr;
    state.bySdlId.erase(SDL_GetWindowID(hwnd->sdl));
    SDL_DestroyWindow(hwnd->sdl);
    hwnd->sdl = nullptr;
    hwnd->proc = nullptr;
    return true;
}

bool IsWindow(HWND hwnd) { return sdl_windows::IsLive(hwnd); }

void SetWindowUserData(HWND hwnd, void* data) {
    if (IsWindow(hwnd)) hwnd->userData = data;
}

void* GetWindowUserData(HWND hwnd) { return IsWindow(hwnd) ? hwnd->userData : nullptr; }

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
    if (!IsWindow(hwnd)) return nullptr;
    WNDPROC old = hwnd->proc;
    hwnd->proc = proc;
    return old;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc == nullptr ? 0 : proc(hwnd, message, wParam, lParam);
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_NCCREATE:
            return 1;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4) SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE:
                    SendMessage(hwnd, WM_CLOSE, 0, 0);
                    break;
                case SC_MINIMIZE:
                    ShowWindow(hwnd, SW_MINIMIZE);
                    break;
                case SC_MAXIMIZE:
                    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
                    break;
                case SC_RESTORE:
                    ShowWindow(hwnd, SW_RESTORE);
                    break;
                default:
                    break;
            }
            return 0;
        default:
            return 0;
    }
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd)) return 0;
    return hwnd->proc(hwnd, message, wParam, lParam);
}

bool ShowWindow(HWND hwnd, int command) {
    if (!IsWindow(hwnd)) return false;
    const bool wasVisible = IsWindowVisible(hwnd);
    // Sent before the change, and only for a change.
    if (wasVisible != (command != SW_HIDE)) {
        SendMessage(hwnd, WM_SHOWWINDOW, command != SW_HIDE ? 1 : 0, 0);
        if (!IsWindow(hwnd)) return wasVisible;
    }
    switch (command) {
        case SW_HIDE:
            SDL_HideWindow(hwnd->sdl);
            break;
        case SW_MINIMIZE:
            SDL_MinimizeWindow(hwnd->sdl);
            break;
        case SW_SHOWMAXIMIZED:
            SDL_ShowWindow(hwnd->sdl);
            SDL_MaximizeWindow(hwnd->sdl);
            break;
        case SW_RESTORE:
            SDL_RestoreWindow(hwnd->sdl);
            SDL_ShowWindow(hwnd->sdl);
            break;
        default:
            SDL_ShowWindow(hwnd->sdl);
            break;
    }
    if (IsWindowVisible(hwnd)) hwnd->dirty = true;
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
    return IsWindow(hwnd) && (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_SHOWN) != 0;
}

bool IsIconic(HWND hwnd) {
    return IsWindow(hwnd) && (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_MINIMIZED) != 0;
}

bool IsZoomed(HWND hwnd) {
    return IsWindow(hwnd) && (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_MAXIMIZED) != 0;
}

bool EnableWindow(HWND hwnd, bool enable) {
    if (!IsWindow(hwnd)) return false;
    const bool wasDisabled = !hwnd->enabled;
    hwnd->enabled = enable;
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd) { return IsWindow(hwnd) && hwnd->enabled; }

HWND GetWindowOwner(HWND hwnd) {
    return IsWindow(hwnd) && IsWindow(hwnd->owner) ? hwnd->owner : nullptr;
}

HWND SetFocus(HWND hwnd) {
    Windowing& state = State();
    HWND previous = IsWindow(state.focus) ? state.focus : nullptr;
    if (!IsWindow(hwnd) || previous == hwnd) return previous;
    state.focus = hwnd;
    if (IsWindowVisible(hwnd)) SDL_RaiseWindow(hwnd->sdl);
    if (previous != nullptr) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND GetFocus() {
    HWND focus = State().focus;
    return IsWindow(focus) ? focus : nullptr;
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
    if (!IsWindow(hwnd) || rect == nullptr) return false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(hwnd->sdl, &x, &y);
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    *rect = {x, y, x + width, y + height};
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect) {
    if (!IsWindow(hwnd) || rect == nullptr) return false;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    *rect = {0, 0, width, height};
    return true;
}

bool SetWindowPos(HWND hwnd, int x, int y, int cx, int cy, UINT flags) {
    if (!IsWindow(hwnd)) return false;
    bool moved = false;
    if ((flags & SWP_NOMOVE) == 0) {
        int oldX = 0;
        int oldY = 0;
        SDL_GetWindowPosition(hwnd->sdl, &oldX, &oldY);
        moved = oldX != x || oldY != y;
        if (moved) SDL_SetWindowPosition(hwnd->sdl, x, y);
    }
    if ((flags & SWP_NOSIZE) == 0) {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(hwnd->sdl, &width, &height);
        if (width != cx || height != cy) {
            SDL_SetWindowSize(hwnd->sdl, std::max(cx, 1), std::max(cy, 1));
            SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cx, cy));
        }
    }
    // As the default handling of a position change does: WM_SIZE, then WM_MOVE.
    if (moved && IsWindow(hwnd)) SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    if ((flags & SWP_NOACTIVATE) == 0 && IsWindowVisible(hwnd)) SDL_RaiseWindow(hwnd->sdl);
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* point) {
    if (!IsWindow(hwnd) || point == nullptr) return false;
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(hwnd->sdl, &x, &y);
    point->x -= x;
    point->y -= y;
    return true;
}

RECT GetMonitorWorkArea(HWND hwnd) {
    int display = 0;
    if (IsWindow(hwnd)) display = std::max(SDL_GetWindowDisplayIndex(hwnd->sdl), 0);
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(display, &bounds) != 0) return {};
    return {bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

bool SetWindowRoundRegion(HWND hwnd, const RECT& rect, int ellipseWidth, int ellipseHeight) {
    if (!IsWindow(hwnd)) return false;
    hwnd->region = RoundRegion{rect, ellipseWidth, ellipseHeight};
    ApplyShape(hwnd);
    hwnd->dirty = true;
    return true;
}

bool PointInWindowRegion(HWND hwnd, int x, int y) {
    if (!IsWindow(hwnd)) return false;
    return !hwnd->region || InRoundRegion(*hwnd->region, x, y);
}

bool InvalidateRect(HWND hwnd) {
    if (!IsWindow(hwnd)) return false;
    hwnd->dirty = true;
    return true;
}

bool PresentBits(HWND hwnd, const std::uint32_t* pixels, int width, int height) {
    if (!IsWindow(hwnd) || pixels == nullptr) return false;
    SDL_Surface* surface = SDL_GetWindowSurface(hwnd->sdl);
    if (surface == nullptr) return false;
    const int w = std::min(width, surface->w);
    const int h = std::min(height, surface->h);
    if (SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, pixels, width * 4,
                          surface->format->format, surface->pixels, surface->pitch) != 0) {
        return false;
    }
    if (hwnd->region) {
        const int bytesPerPixel = surface->format->BytesPerPixel;
        for (int y = 0; y < surface->h; ++y) {
            auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
            for (int x = 0; x < surface->w; ++x) {
                if (!InRoundRegion(*hwnd->region, x, y)) {
                    std::fill_n(row + x * bytesPerPixel, bytesPerPixel, Uint8{0});
                }
            }
        }
    }
    return SDL_UpdateWindowSurface(hwnd->sdl) == 0;
}

bool SetWindowIconBits(HWND hwnd, const std::uint32_t* pixels, int width, int height) {
    if (!IsWindow(hwnd) || pixels == nullptr) return false;
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) return false;
    // SDL wants straight alpha.
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(icon->pixels) + y * icon->pitch);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[y * width + x];
            const std::uint32_t a = p >> 24;
            if (a == 0) {
                row[x] = 0;
                continue;
            }
            auto channel = [&](int shift) {
                return std::min(255u, ((p >> shift) & 0xFF) * 255 / a);
            };
            row[x] = (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
        }
    }
    SDL_SetWindowIcon(hwnd->sdl, icon);
    SDL_FreeSurface(icon);
    return true;
}

void MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    const std::string utf8Text = WideToMultiByte(text, kCodePageUtf8);
    const std::string utf8Caption = WideToMultiByte(caption, kCodePageUtf8);
    if (State().ok && !State().headless) {
        const Uint32 flags =
            (type & MB_ICONERROR) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
        SDL_Window* parent = IsWindow(owner) ? owner->sdl : nullptr;
        if (SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), parent) == 0)
            return;
    }
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
}

}  // namespace platform
