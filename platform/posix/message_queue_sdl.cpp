#include <SDL.h>

#include <deque>
#include <string>

#include "platform/window.h"
#include "sdl_window_table.h"

namespace platform {
namespace {

constexpr WPARAM kLeftButtonHeld = 0x0001;  // MK_LBUTTON

// The modifiers of the last keyboard event, as GetKeyState reports them.
SDL_Keymod& LastKeyModifiers() {
    static SDL_Keymod modifiers = KMOD_NONE;
    return modifiers;
}

// Messages already made from one SDL event that carried several (text input).
std::deque<MSG>& Pending() {
    static std::deque<MSG> pending;
    return pending;
}

// Decodes UTF-8 text input into code points; invalid bytes are skipped.
std::u32string DecodeUtf8(const char* text) {
    std::u32string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        char32_t cp = 0;
        int extra = 0;
        if (*p < 0x80) {
            cp = *p;
        } else if ((*p & 0xE0) == 0xC0) {
            cp = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            cp = *p & 0x0F;
            extra = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            cp = *p & 0x07;
            extra = 3;
        } else {
            ++p;
            continue;
        }
        ++p;
        bool valid = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (*p & 0x3F);
        }
        if (valid) out.push_back(cp);
    }
    return out;
}

// Input reaches only enabled windows, as on Windows, and passes through
// layered popups.
HWND InputTarget(Uint32 windowId) {
    HWND hwnd = sdl_windows::FromSdlId(windowId);
    return IsWindowEnabled(hwnd) && !hwnd->layered ? hwnd : nullptr;
}

LPARAM ScreenPoint(HWND hwnd, int x, int y) {
    RECT window;
    GetWindowRect(hwnd, &window);
    return MAKELPARAM(window.left + x, window.top + y);
}

bool TranslateWindowEvent(const SDL_WindowEvent& event, MSG* msg) {
    HWND hwnd = sdl_windows::FromSdlId(event.windowID);
    if (hwnd == nullptr) return false;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            *msg = {hwnd, WM_SYSCOMMAND, SC_CLOSE, 0};
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            *msg = {hwnd, WM_SIZE, IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                    MAKELPARAM(event.data1, event.data2)};
            return true;
        case SDL_WINDOWEVENT_MOVED:
            *msg = {hwnd, WM_MOVE, 0, MAKELPARAM(event.data1, event.data2)};
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
            *msg = {hwnd, WM_SIZE, SIZE_MINIMIZED, 0};
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            InvalidateRect(hwnd);
            return false;
        default:
            return false;
    }
}

bool TranslateMouseButton(const SDL_MouseButtonEvent& event, MSG* msg) {
    HWND hwnd = InputTarget(event.windowID);
    if (hwnd == nullptr || event.button != SDL_BUTTON_LEFT) return false;
    const LPARAM client = MAKELPARAM(event.x, event.y);
    if (event.type == SDL_MOUSEBUTTONUP) {
        *msg = {hwnd, WM_LBUTTONUP, 0, client};
        return true;
    }
    // A press in the caption is a non-client press: the window manager drags
    // the window and the client never sees the button.
    const LPARAM screen = ScreenPoint(hwnd, event.x, event.y);
    const LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, screen);
    if (hit != HTCLIENT) {
        *msg = {hwnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), screen};
    } else {
        *msg = {hwnd, WM_LBUTTONDOWN, kLeftButtonHeld, client};
    }
    return true;
}

bool TranslateKey(const SDL_KeyboardEvent& event, MSG* msg) {
    HWND hwnd = InputTarget(event.windowID);
    const WPARAM key = sdl_windows::VirtualKeyFromKeycode(event.keysym.sym);
    if (hwnd == nullptr || key == 0) return false;
    LastKeyModifiers() = static_cast<SDL_Keymod>(event.keysym.mod);
    if (event.type == SDL_KEYUP) {
        *msg = {hwnd, WM_KEYUP, key, 0};
        return true;
    }
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    *msg = {hwnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, event.repeat != 0 ? 0x40000000 : 0};
    return true;
}

bool TranslateText(const SDL_TextInputEvent& event, MSG* msg) {
    HWND hwnd = InputTarget(event.windowID);
    if (hwnd == nullptr) return false;
    const std::u32string chars = DecodeUtf8(event.text);
    if (chars.empty()) return false;
    *msg = {hwnd, WM_CHAR, static_cast<WPARAM>(chars[0]), 1};
    for (std::size_t i = 1; i < chars.size(); ++i) {
        Pending().push_back({hwnd, WM_CHAR, static_cast<WPARAM>(chars[i]), 1});
    }
    return true;
}

bool TranslatePosted(const SDL_UserEvent& event, MSG* msg) {
    if (event.code == sdl_windows::kTimerTickCode) return sdl_windows::TakeTimerTick(event, msg);
    auto* posted = static_cast<MSG*>(event.data1);
    *msg = *posted;
    delete posted;
    return msg->hwnd == nullptr || IsWindow(msg->hwnd);
}

// One SDL event to at most one message (more go to Pending()).
bool Translate(const SDL_Event& event, MSG* msg) {
    if (event.type == sdl_windows::PostedEventType()) return TranslatePosted(event.user, msg);
    switch (event.type) {
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(event.window, msg);
        case SDL_MOUSEMOTION: {
            HWND hwnd = InputTarget(event.motion.windowID);
            if (hwnd == nullptr) return false;
            const WPARAM held = (event.motion.state & SDL_BUTTON_LMASK) != 0 ? kLeftButtonHeld : 0;
            *msg = {hwnd, WM_MOUSEMOVE, held, MAKELPARAM(event.motion.x, event.motion.y)};
            return true;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return TranslateMouseButton(event.button, msg);
        case SDL_MOUSEWHEEL: {
            HWND hwnd = InputTarget(event.wheel.windowID);
            if (hwnd == nullptr) return false;
            const int delta = event.wheel.y * 120;  // WHEEL_DELTA per notch
            *msg = {hwnd, WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELPARAM(0, delta)), 0};
            return true;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return TranslateKey(event.key, msg);
        case SDL_TEXTINPUT:
            return TranslateText(event.text, msg);
        default:
            return false;
    }
}

}  // namespace

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SDL_Event event{};
    event.type = sdl_windows::PostedEventType();
    event.user.code = sdl_windows::kPostedMessageCode;
    event.user.data1 = new MSG{hwnd, message, wParam, lParam};
    if (SDL_PushEvent(&event) == 1) return true;
    delete static_cast<MSG*>(event.user.data1);
    return false;
}

void PostQuitMessage(int exitCode) {
    PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

namespace {

// The next message without waiting: made earlier, posted or input, then paint.
bool TakeMessage(MSG* msg) {
    if (!Pending().empty()) {
        *msg = Pending().front();
        Pending().pop_front();
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (Translate(event, msg)) return true;
    }
    if (HWND dirty = sdl_windows::TakeDirty()) {
        *msg = {dirty, WM_PAINT, 0, 0};
        return true;
    }
    return false;
}

}  // namespace

bool PeekMessage(MSG* msg) { return TakeMessage(msg); }

bool GetMessage(MSG* msg) {
    while (!TakeMessage(msg)) {
        // Waits without taking the event, so TakeMessage sees it in order.
        SDL_WaitEvent(nullptr);
    }
    return msg->message != WM_QUIT;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

short GetKeyState(WPARAM virtualKey) {
    constexpr short kDown = static_cast<short>(0x8000);
    const SDL_Keymod modifiers = LastKeyModifiers();
    switch (virtualKey) {
        case VK_SHIFT:
            return (modifiers & KMOD_SHIFT) != 0 ? kDown : 0;
        case VK_CONTROL:
            return (modifiers & KMOD_CTRL) != 0 ? kDown : 0;
        case VK_MENU:
            return (modifiers & KMOD_ALT) != 0 ? kDown : 0;
        default:
            return 0;
    }
}

}  // namespace platform
