#pragma once

#include <string_view>

namespace platform {

// OutputDebugStringW: hands one finished trace line to the trace sink in a
// single write. The sink is the file named by BRUSHWELL_TRACE ("stderr" for the
// standard error stream) or, without the variable, the system log at debug
// level. Never blocks on anything but the sink and never reports a failure.
void OutputDebugString(std::wstring_view line);

}  // namespace platform
