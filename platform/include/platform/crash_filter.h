#pragma once

#include <functional>

namespace platform {

// Runs on the reporter thread, not in the signal handler, with the number of
// the signal that ended the process's run.
using CrashFilter = std::function<void(int signal)>;

// SetUnhandledExceptionFilter: for SIGSEGV, SIGBUS, SIGILL, SIGFPE and SIGABRT
// a handler on an alternate stack wakes a reporter thread started here, waits
// at most two seconds for the filter to finish there, then restores the
// default action and raises the signal again, so the process still dies of
// it. The handler itself only writes to a pipe. False when the reporter
// cannot be set up.
bool SetUnhandledExceptionFilter(CrashFilter filter);

// Puts the previous signal actions back and ends the reporter thread.
void RemoveUnhandledExceptionFilter();

}  // namespace platform
