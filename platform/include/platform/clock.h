#pragma once

namespace platform {

// SYSTEMTIME as GetLocalTime fills it.
struct SystemTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// GetLocalTime: the local date and time now.
SystemTime GetLocalTime();

}  // namespace platform
