#include "app/debug_log.h"

#include <cstdarg>
#include <string>

#include "platform/local_time.h"
#include "platform/process_info.h"
#include "platform/trace.h"
#include "platform/wide_format.h"

namespace {

constexpr wchar_t kPrefixFormat[] =
    L"<P%05u><T%05u><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%.*hs)<%04d>: ";

bool AppendPrefix(std::wstring* out, ...) {
    va_list args;
    va_start(args, out);
    const bool ok = platform::AppendFormattedWide(*out, kPrefixFormat, args);
    va_end(args);
    return ok;
}

}  // namespace

void WriteDebugLog(std::string_view function, int line, const wchar_t* format, ...) {
    const platform::LocalTime now = platform::GetLocalTime();
    std::wstring text;
    if (!AppendPrefix(&text, platform::CurrentProcessId(), platform::CurrentThreadId(), now.year,
                      now.month, now.day, now.hour, now.minute, now.second, now.milliseconds,
                      static_cast<int>(function.size()), function.data(), line)) {
        return;
    }
    va_list events;
    va_start(events, format);
    const bool ok = platform::AppendFormattedWide(text, format, events);
    va_end(events);
    if (ok) platform::OutputDebugString(text);
}
