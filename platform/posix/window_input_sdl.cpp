#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/window_input.h"
#include "sdl_window_table.h"

namespace platform {
namespace {

bool Push(SDL_Event& event) { return SDL_PushEvent(&event) == 1; }

}  // namespace

bool InjectMouseMove(HWND hwnd, int x, int y) {
    if (!IsWindow(hwnd)) return false;
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(hwnd->sdl);
    event.motion.x = x;
    event.motion.y = y;
    return Push(event);
}

bool InjectMouseButton(HWND hwnd, int x, int y, bool pressed) {
    if (!IsWindow(hwnd)) return false;
    SDL_Event event{};
    event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = SDL_GetWindowID(hwnd->sdl);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return Push(event);
}

bool InjectKey(HWND hwnd, WPARAM virtualKey, bool pressed, unsigned modifiers) {
    const SDL_Keycode keycode = sdl_windows::KeycodeFromVirtualKey(virtualKey);
    if (!IsWindow(hwnd) || keycode == 0) return false;
    SDL_Event event{};
    event.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(hwnd->sdl);
    event.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = keycode;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(keycode);
    unsigned mod = KMOD_NONE;
    if ((modifiers & kKeyAlt) != 0) mod |= KMOD_LALT;
    if ((modifiers & kKeyShift) != 0) mod |= KMOD_LSHIFT;
    if ((modifiers & kKeyControl) != 0) mod |= KMOD_LCTRL;
    event.key.keysym.mod = static_cast<Uint16>(mod);
    return Push(event);
}

bool InjectText(HWND hwnd, const std::string& utf8) {
    if (!IsWindow(hwnd)) return false;
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(hwnd->sdl);
    const std::size_t length = std::min(utf8.size(), sizeof(event.text.text) - 1);
    std::memcpy(event.text.text, utf8.data(), length);
    return Push(event);
}

bool InjectCloseRequest(HWND hwnd) {
    if (!IsWindow(hwnd)) return false;
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(hwnd->sdl);
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    return Push(event);
}

bool ReadWindowPixels(HWND hwnd, WindowPixels* out) {
    if (!IsWindow(hwnd) || out == nullptr) return false;
    if (hwnd->layered) {
        SDL_GetWindowSize(hwnd->sdl, &out->width, &out->height);
        out->pixels = hwnd->layeredBits;
        out->pixels.resize(static_cast<std::size_t>(out->width) * out->height, 0);
        return true;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(hwnd->sdl);
    if (surface == nullptr) return false;
    out->width = surface->w;
    out->height = surface->h;
    out->pixels.assign(static_cast<std::size_t>(surface->w) * surface->h, 0);
    return SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels,
                             surface->pitch, SDL_PIXELFORMAT_ARGB8888, out->pixels.data(),
                             surface->w * 4) == 0;
}

}  // namespace platform
