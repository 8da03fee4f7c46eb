#pragma once

#include <cstdint>

namespace platform {

// One end of an anonymous pipe, as the Windows HANDLE of CreatePipe.
struct PipeHandle {
    intptr_t value = -1;
    bool IsValid() const { return value >= 0; }
};

// CreatePipe. Neither end is passed to a child unless a StartupInfo names it
// as a standard handle (every descriptor here is close-on-exec).
bool CreatePipe(PipeHandle& readEnd, PipeHandle& writeEnd);

// ReadFile on a pipe: blocks until data arrives; false once every writer has
// closed its end and nothing is left (ERROR_BROKEN_PIPE), or on an error.
bool ReadFile(PipeHandle handle, void* buffer, uint32_t size, uint32_t& bytesRead);

// PeekNamedPipe: how many bytes a read would return without blocking. False
// when nothing is left and every writer has gone, or on an error.
bool PeekNamedPipe(PipeHandle handle, uint32_t& bytesAvailable);

// CloseHandle: closes the end if it is open and marks it closed.
void CloseHandle(PipeHandle& handle);

}  // namespace platform
