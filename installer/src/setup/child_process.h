#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/pipe.h"
#include "platform/process.h"

namespace Utils {
class Thread;
}

// One hidden child process with its standard handles on anonymous pipes. The
// parent keeps the read ends of output and error and the write end of input;
// nothing is ever written to the child's input. Its standard error is drained
// on a thread of its own and traced, so a child that writes a lot there never
// blocks on a full pipe.
class ChildProcess {
public:
    // The command line must fit the 1024-character buffer with its terminator.
    static constexpr size_t kCommandBufferSize = 1024;
    // Output is read in chunks of at most this many bytes.
    static constexpr uint32_t kChunkSize = 1024;

    ChildProcess();
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when the command line is too long (nothing is cut) or the pipes
    // or the process cannot be created.
    bool Launch(std::wstring_view commandLine);

    // Waits for the next chunk of standard output; false once the output has
    // ended (the child and whatever inherited the handle are gone).
    bool Read(std::string& chunk);

    // A chunk that is already waiting in the pipe, without waiting for more;
    // false when nothing is waiting.
    bool ReadPending(std::string& chunk);

    bool IsStillActive();

    // Waits without a time limit for the child to end. Output it still writes
    // meanwhile is read and dropped, so it cannot block on a full pipe.
    void WaitForExit();

    uint32_t ProcessId() const { return processInfo.processId; }

private:
    struct PipePair {
        platform::PipeHandle write;
        platform::PipeHandle read;
    };

    static void Close(PipePair& pipe);
    void DrainErrors();

    std::array<wchar_t, kCommandBufferSize> commandBuffer{};
    PipePair errPipe;
    PipePair outPipe;
    PipePair inPipe;
    platform::ProcessInformation processInfo;

    std::atomic<bool> stopDraining{false};
    std::unique_ptr<Utils::Thread> errorDrain;
};
