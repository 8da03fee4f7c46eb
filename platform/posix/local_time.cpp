#include "platform/local_time.h"

#include <sys/time.h>
#include <time.h>

namespace platform {

LocalTime GetLocalTime() {
    timeval now{};
    gettimeofday(&now, nullptr);
    return SecondsToLocalTime(now.tv_sec, static_cast<uint16_t>(now.tv_usec / 1000));
}

LocalTime SecondsToLocalTime(int64_t secondsSince1970, uint16_t milliseconds) {
    const time_t moment = static_cast<time_t>(secondsSince1970);
    tm local{};
    localtime_r(&moment, &local);
    LocalTime time;
    time.year = static_cast<uint16_t>(local.tm_year + 1900);
    time.month = static_cast<uint16_t>(local.tm_mon + 1);
    time.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
    time.day = static_cast<uint16_t>(local.tm_mday);
    time.hour = static_cast<uint16_t>(local.tm_hour);
    time.minute = static_cast<uint16_t>(local.tm_min);
    time.second = static_cast<uint16_t>(local.tm_sec);
    time.milliseconds = milliseconds;
    return time;
}

}  // namespace platform
