#pragma once

// Per-pixel-alpha popup windows, in the shape of the Windows layered-window
// calls (WS_EX_LAYERED | WS_EX_TRANSPARENT popups and UpdateLayeredWindow).
// The headless backend keeps the presented bits for ReadWindowPixels. SDL 2
// shows every desktop window opaque, so the desktop backend has none.

#include <cstdint>

#include "platform/window.h"

namespace platform {

// Whether such windows can be shown at all (the Windows code looks up
// UpdateLayeredWindow in USER32.DLL).
bool LayeredWindowsAvailable();

// CreateWindowEx with WS_EX_LAYERED | WS_EX_TRANSPARENT and WS_POPUP, owned by
// owner, hidden, zero size: input passes through it, it never takes the focus,
// and it goes when its owner goes. Null when unavailable or it cannot be made.
HWND CreateLayeredPopup(HWND owner);

// UpdateLayeredWindow with ULW_ALPHA and a source constant alpha of 255:
// moves and sizes the window and presents a 32-bit premultiplied BGRA bitmap
// (0xAARRGGBB per pixel) whose rows are bottom-up, as in a bottom-up DIB.
bool UpdateLayeredWindow(HWND hwnd, int x, int y, int width, int height,
                         const std::uint32_t* bottomUpPixels);

}  // namespace platform
