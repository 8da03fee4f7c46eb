#include "app/debug_log.h"

#include <chrono>
#include <cstdarg>
#include <ctime>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/process_info.h"
#include "platform/trace.h"

namespace {

constexpr wchar_t kPrefixFormat[] =
    L"<P%05u><T%05u><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%.*hs)<%04d>: ";

// vswprintf cannot measure a length: it fails when the buffer is short, so the
// buffer grows until the text fits.
bool AppendFormatted(std::wstring& out, const wchar_t* format, va_list args) {
    constexpr size_t kLimit = size_t{1} << 24;
    std::vector<wchar_t> buffer(512);
    while (buffer.size() <= kLimit) {
        va_list copy;
        va_copy(copy, args);
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (written >= 0) {
            out.append(buffer.data(), static_cast<size_t>(written));
            return true;
        }
        buffer.resize(buffer.size() * 4);
    }
    return false;
}

bool AppendPrefix(std::wstring* out, ...) {
    va_list args;
    va_start(args, out);
    const bool ok = AppendFormatted(*out, kPrefixFormat, args);
    va_end(args);
    return ok;
}

}  // namespace

void WriteDebugLog(std::string_view function, int line, const wchar_t* format, ...) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    std::tm local{};
    localtime_r(&seconds, &local);

    std::wstring text;
    if (!AppendPrefix(&text, platform::CurrentProcessId(), platform::CurrentThreadId(),
                      local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec, millis, static_cast<int>(function.size()),
                      function.data(), line)) {
        return;
    }
    va_list events;
    va_start(events, format);
    const bool ok = AppendFormatted(text, format, events);
    va_end(events);
    if (ok) platform::OutputDebugString(text);
}
