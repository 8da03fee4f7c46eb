#pragma once

// Input and output of a window as the video driver sees them. Used by tests
// and tools to drive windows on the headless backend: the events enter the
// same queue a user's mouse and keyboard fill, and the read-back returns what
// was last presented.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform {

// Coordinates are client coordinates of the window.
bool InjectMouseMove(HWND hwnd, int x, int y);
bool InjectMouseButton(HWND hwnd, int x, int y, bool pressed);
// Modifiers held with an injected key; combine with |.
inline constexpr unsigned kKeyAlt = 1;
inline constexpr unsigned kKeyShift = 2;
inline constexpr unsigned kKeyControl = 4;
// A key by its virtual-key code (VK_RETURN, VK_ESCAPE, VK_SPACE, 'A'...),
// with the modifiers held.
bool InjectKey(HWND hwnd, WPARAM virtualKey, bool pressed, unsigned modifiers = 0);
bool InjectText(HWND hwnd, const std::string& utf8);
// The window manager's close request (the title bar's close box).
bool InjectCloseRequest(HWND hwnd);

// The pixels last presented to the window, as 0xAARRGGBB.
struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
bool ReadWindowPixels(HWND hwnd, WindowPixels* out);

}  // namespace platform
