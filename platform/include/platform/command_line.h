#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// GetCommandLineW: this process's arguments (from /proc/self/cmdline) joined
// into one Windows command line, each quoted so that CommandLineToArgv gives
// the same arguments back.
std::wstring GetCommandLine();

// CommandLineToArgvW with the Windows quoting rules: the program path ends at
// the next quote (when it starts with one) or at white space; the other
// arguments are split at white space outside quotes, 2n backslashes before a
// quote give n and the quote toggles quoting, 2n+1 give n and a literal quote,
// other backslashes are kept. An empty command line gives the module path.
std::vector<std::wstring> CommandLineToArgv(std::wstring_view commandLine);

// The inverse: quotes each argument where needed and joins them by spaces.
std::wstring ArgvToCommandLine(const std::vector<std::wstring>& arguments);

}  // namespace platform
