#include "platform/display.h"

#include <SDL.h>

#include <optional>
#include <string>

namespace platform {

int GetSystemMetrics(SystemMetric metric) {
    // Borrow the video system when the program has not started it yet, without
    // letting it take over SIGINT and SIGTERM meanwhile.
    const bool borrowed = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    std::optional<std::string> signalHint;
    if (borrowed) {
        if (const char* value = SDL_GetHint(SDL_HINT_NO_SIGNAL_HANDLERS)) signalHint = value;
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_InitSubSystem(SDL_INIT_VIDEO);  // a failure leaves the subsystem off: no display
    }
    SDL_Rect bounds{};
    const bool known = SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetDisplayBounds(0, &bounds) == 0;
    if (borrowed) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (signalHint) {
            SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, signalHint->c_str());
        } else {
            SDL_ResetHint(SDL_HINT_NO_SIGNAL_HANDLERS);
        }
    }
    if (!known) return 0;
    return metric == SystemMetric::ScreenWidth ? bounds.w : bounds.h;
}

}  // namespace platform
