#include <SDL.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "platform/window.h"
#include "sdl_window_table.h"

namespace platform {
namespace {

// SDL runs timer callbacks on its own thread; the table is shared with it.
struct Timer {
    HWND hwnd = nullptr;
    std::uintptr_t id = 0;
    SDL_TimerID sdlTimer = 0;
    bool tickPending = false;
};

struct TimerTable {
    std::mutex lock;
    std::uintptr_t nextSerial = 1;
    std::map<std::uintptr_t, Timer> bySerial;
    std::map<std::pair<HWND, std::uintptr_t>, std::uintptr_t> byWindow;
};

TimerTable& Table() {
    static TimerTable table;
    return table;
}

Uint32 OnTick(Uint32 interval, void* param) {
    const auto serial = reinterpret_cast<std::uintptr_t>(param);
    TimerTable& table = Table();
    std::lock_guard guard(table.lock);
    const auto found = table.bySerial.find(serial);
    if (found == table.bySerial.end()) return 0;
    // Ticks coalesce: one WM_TIMER waits at most per timer.
    if (!found->second.tickPending) {
        SDL_Event event{};
        event.type = sdl_windows::PostedEventType();
        event.user.code = sdl_windows::kTimerTickCode;
        event.user.data1 = param;
        found->second.tickPending = SDL_PushEvent(&event) == 1;
    }
    return interval;
}

// Removes a timer from the table; the SDL timer id to stop, or 0.
SDL_TimerID Forget(TimerTable& table, HWND hwnd, std::uintptr_t id) {
    const auto key = table.byWindow.find({hwnd, id});
    if (key == table.byWindow.end()) return 0;
    const SDL_TimerID sdlTimer = table.bySerial[key->second].sdlTimer;
    table.bySerial.erase(key->second);
    table.byWindow.erase(key);
    return sdlTimer;
}

}  // namespace

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT periodMs) {
    if (!IsWindow(hwnd)) return 0;
    KillTimer(hwnd, id);
    TimerTable& table = Table();
    std::lock_guard guard(table.lock);
    const std::uintptr_t serial = table.nextSerial++;
    table.bySerial[serial] = Timer{hwnd, id, 0, false};
    table.byWindow[{hwnd, id}] = serial;
    // Windows raises a period below 10 ms to 10 ms (USER_TIMER_MINIMUM) and
    // lowers one above 0x7FFFFFFF to that (USER_TIMER_MAXIMUM); SDL would
    // take a longer one for a deadline already past and fire at once.
    const Uint32 period = periodMs < 10 ? 10 : std::min<Uint32>(periodMs, 0x7FFFFFFF);
    const SDL_TimerID sdlTimer = SDL_AddTimer(period, OnTick, reinterpret_cast<void*>(serial));
    if (sdlTimer == 0) {
        Forget(table, hwnd, id);
        return 0;
    }
    table.bySerial[serial].sdlTimer = sdlTimer;
    return 1;
}

bool KillTimer(HWND hwnd, std::uintptr_t id) {
    TimerTable& table = Table();
    SDL_TimerID sdlTimer = 0;
    {
        std::lock_guard guard(table.lock);
        sdlTimer = Forget(table, hwnd, id);
    }
    if (sdlTimer == 0) return false;
    SDL_RemoveTimer(sdlTimer);
    return true;
}

namespace sdl_windows {

void KillAllTimers(HWND hwnd) {
    TimerTable& table = Table();
    std::map<std::pair<HWND, std::uintptr_t>, std::uintptr_t> timers;
    {
        std::lock_guard guard(table.lock);
        for (const auto& [key, serial] : table.byWindow) {
            if (key.first == hwnd) timers.emplace(key, serial);
        }
    }
    for (const auto& [key, serial] : timers) KillTimer(hwnd, key.second);
}

bool TakeTimerTick(const SDL_UserEvent& tick, MSG* msg) {
    TimerTable& table = Table();
    std::lock_guard guard(table.lock);
    const auto found = table.bySerial.find(reinterpret_cast<std::uintptr_t>(tick.data1));
    if (found == table.bySerial.end()) return false;
    found->second.tickPending = false;
    *msg = {found->second.hwnd, WM_TIMER, found->second.id, 0};
    return true;
}

}  // namespace sdl_windows
}  // namespace platform
