#include <SDL.h>

#include <array>
#include <utility>

#include "sdl_window_table.h"

namespace platform::sdl_windows {
namespace {

constexpr std::array<std::pair<WPARAM, SDL_Keycode>, 14> kNamedKeys{{
    {VK_BACK, SDLK_BACKSPACE},
    {VK_TAB, SDLK_TAB},
    {VK_RETURN, SDLK_RETURN},
    {VK_ESCAPE, SDLK_ESCAPE},
    {VK_SPACE, SDLK_SPACE},
    {VK_END, SDLK_END},
    {VK_HOME, SDLK_HOME},
    {VK_LEFT, SDLK_LEFT},
    {VK_UP, SDLK_UP},
    {VK_RIGHT, SDLK_RIGHT},
    {VK_DOWN, SDLK_DOWN},
    {VK_DELETE, SDLK_DELETE},
    {VK_F4, SDLK_F4},
    {VK_RETURN, SDLK_KP_ENTER},
}};

}  // namespace

SDL_Keycode KeycodeFromVirtualKey(WPARAM virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return static_cast<SDL_Keycode>(SDLK_a + (virtualKey - 'A'));
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return static_cast<SDL_Keycode>(SDLK_0 + (virtualKey - '0'));
    }
    for (const auto& [vk, keycode] : kNamedKeys) {
        if (vk == virtualKey) return keycode;
    }
    return 0;
}

WPARAM VirtualKeyFromKeycode(SDL_Keycode keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + static_cast<WPARAM>(keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + static_cast<WPARAM>(keycode - SDLK_0);
    for (const auto& [vk, sdlKey] : kNamedKeys) {
        if (sdlKey == keycode) return vk;
    }
    return 0;
}

}  // namespace platform::sdl_windows
