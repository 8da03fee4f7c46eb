#include "platform/display.h"

#include <SDL.h>

namespace platform {

int GetSystemMetrics(SystemMetric metric) {
    // Borrow the video system when the program has not started it yet.
    const bool borrowed = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    if (borrowed && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    SDL_Rect bounds{};
    const bool known = SDL_GetDisplayBounds(0, &bounds) == 0;
    if (borrowed) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!known) return 0;
    return metric == SystemMetric::ScreenWidth ? bounds.w : bounds.h;
}

}  // namespace platform
