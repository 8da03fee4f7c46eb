#pragma once

#include <cstdint>
#include <string_view>

#include "platform/pipe.h"

namespace platform {

// GetExitCodeProcess's answer for a process that has not ended.
inline constexpr uint32_t kStillActive = 259;

// STARTUPINFO with STARTF_USESTDHANDLES: the three handles become the child's
// standard input, output and error. There is no window to hide on Linux.
struct StartupInfo {
    PipeHandle stdInput;
    PipeHandle stdOutput;
    PipeHandle stdError;
};

// The process handle and ids of PROCESS_INFORMATION. Linux has no separate
// handle for the first thread; its id is the process id.
struct ProcessInformation {
    int64_t process = -1;
    uint32_t processId = 0;
    uint32_t threadId = 0;
    bool ended = false;
    uint32_t exitCode = kStillActive;
};

// CreateProcessW with no application name and inherited standard handles:
// the command line is split with the Windows quoting rules and the argument
// vector is started directly, never through a shell. A first argument with a
// folder names the file to run; without one the PATH is searched. A file
// named *.exe is made executable first, as Windows runs any such file. The
// child gets the parent's environment and current folder and only the
// standard handles of `startup`.
bool CreateProcess(std::wstring_view commandLine, const StartupInfo& startup,
                   ProcessInformation& info);

// GetExitCodeProcess: kStillActive while the process runs; its exit status
// afterwards (128 + the signal number for a process ended by a signal).
bool GetExitCodeProcess(ProcessInformation& info, uint32_t& exitCode);

// WaitForSingleObject(process, INFINITE).
bool WaitForProcess(ProcessInformation& info);

// CloseHandle on the process and thread handles. A child that has ended is
// reaped; one that still runs goes on running.
void CloseProcessHandles(ProcessInformation& info);

}  // namespace platform
