#pragma once

// Shared by the SDL window files: the live windows and how an SDL window maps
// back to its handle. Used only on the thread that owns the windows.

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window.h"

namespace platform {

struct RoundRegion {
    RECT rect;
    int ellipseWidth = 0;
    int ellipseHeight = 0;
};

struct WindowHandle {
    SDL_Window* sdl = nullptr;
    WNDPROC proc = nullptr;
    void* userData = nullptr;
    HWND owner = nullptr;
    bool enabled = true;
    bool dirty = false;
    bool shaped = false;
    // A click-through popup presented with per-pixel alpha; its bits, top
    // row first, are what it shows.
    bool layered = false;
    std::vector<std::uint32_t> layeredBits;
    std::optional<RoundRegion> region;
};

namespace sdl_windows {

// The handle of a live window, or null once it is destroyed.
HWND FromSdlId(Uint32 windowId);
bool IsLive(HWND hwnd);
// A window that waits for WM_PAINT, or null.
HWND TakeDirty();
// The event type that carries posted messages.
Uint32 PostedEventType();
// Drops the timers of a window that is going away.
void KillAllTimers(HWND hwnd);
// Turns a timer tick event (user.code kTimerTickCode) into WM_TIMER; false
// when its timer was killed meanwhile.
inline constexpr Sint32 kPostedMessageCode = 0;
inline constexpr Sint32 kTimerTickCode = 1;
bool TakeTimerTick(const SDL_UserEvent& tick, MSG* msg);
// SDL keycode of a virtual-key code and back; 0 when there is none.
SDL_Keycode KeycodeFromVirtualKey(WPARAM virtualKey);
WPARAM VirtualKeyFromKeycode(SDL_Keycode keycode);

}  // namespace sdl_windows
}  // namespace platform
