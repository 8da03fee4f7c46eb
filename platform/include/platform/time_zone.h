#pragma once

#include <cstdint>

#include "platform/local_time.h"

namespace platform {

// FileTimeToLocalFileTime followed by FileTimeToSystemTime: the local calendar
// time of a moment given as seconds since 1970 (UTC) and its milliseconds.
LocalTime SecondsToLocalTime(int64_t secondsSince1970, uint16_t milliseconds);

}  // namespace platform
