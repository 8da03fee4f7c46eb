#pragma once

namespace platform {

// The GetSystemMetrics indexes of the primary screen's size.
enum class SystemMetric {
    ScreenWidth,   // SM_CXSCREEN
    ScreenHeight,  // SM_CYSCREEN
};

// GetSystemMetrics: the primary display's size in pixels from the video
// system, 0 where there is no display.
int GetSystemMetrics(SystemMetric metric);

}  // namespace platform
