#pragma once

#include <cstdint>

namespace platform {

// SYSTEMTIME as GetLocalTime fills it.
struct LocalTime {
    uint16_t year = 0;
    uint16_t month = 0;  // 1 to 12
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

LocalTime GetLocalTime();

// FileTimeToLocalFileTime followed by FileTimeToSystemTime: the local calendar
// time of a moment given as seconds since 1970 (UTC) and its milliseconds.
LocalTime SecondsToLocalTime(int64_t secondsSince1970, uint16_t milliseconds);

}  // namespace platform
