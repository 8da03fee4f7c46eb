#include <algorithm>

#include "platform/layered_window.h"
#include "sdl_window_table.h"

namespace platform {

bool LayeredWindowsAvailable() { return IsHeadless(); }

HWND CreateLayeredPopup(HWND owner) {
    if (!LayeredWindowsAvailable() || !IsWindow(owner)) return nullptr;
    HWND hwnd = CreateWindowEx(L"", 0, 0, 0, 0, owner, &DefWindowProc, nullptr);
    if (hwnd != nullptr) hwnd->layered = true;
    return hwnd;
}

bool UpdateLayeredWindow(HWND hwnd, int x, int y, int width, int height,
                         const std::uint32_t* bottomUpPixels) {
    if (!IsWindow(hwnd) || !hwnd->layered || width <= 0 || height <= 0 ||
        bottomUpPixels == nullptr) {
        return false;
    }
    SetWindowPos(hwnd, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto rowLength = static_cast<std::size_t>(width);
    hwnd->layeredBits.resize(rowLength * height);
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* source = bottomUpPixels + rowLength * (height - 1 - row);
        std::copy_n(source, rowLength, hwnd->layeredBits.begin() + rowLength * row);
    }
    return true;
}

}  // namespace platform
