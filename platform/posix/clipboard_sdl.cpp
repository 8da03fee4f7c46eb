#include <SDL.h>

#include "platform/clipboard.h"
#include "platform/text.h"
#include "platform/window.h"

namespace platform {
namespace {

// The dummy video driver has no system clipboard to share.
std::optional<std::wstring>& HeadlessClipboard() {
    static std::optional<std::wstring> text;
    return text;
}

}  // namespace

bool SetClipboardText(const std::wstring& text) {
    if (IsHeadless()) {
        HeadlessClipboard() = text;
        return true;
    }
    return SDL_SetClipboardText(WideToMultiByte(text, kCodePageUtf8).c_str()) == 0;
}

std::optional<std::wstring> GetClipboardText() {
    if (IsHeadless()) return HeadlessClipboard();
    if (SDL_HasClipboardText() != SDL_TRUE) return std::nullopt;
    char* utf8 = SDL_GetClipboardText();
    if (utf8 == nullptr) return std::nullopt;
    std::wstring text = MultiByteToWide(utf8, kCodePageUtf8);
    SDL_free(utf8);
    return text;
}

}  // namespace platform
