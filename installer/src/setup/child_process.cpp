#include "setup/child_process.h"

#include <chrono>
#include <thread>

#include "app/debug_log.h"
#include "app/thread.h"
#include "platform/text.h"
#include "setup/worker_thread.h"

namespace {

using namespace std::chrono_literals;

// How long the drains rest when a pipe is empty.
constexpr auto kIdlePause = 10ms;

}  // namespace

ChildProcess::ChildProcess() = default;

ChildProcess::~ChildProcess() {
    stopDraining = true;
    errorDrain.reset();  // waits for the drain
    platform::CloseProcessHandles(processInfo);
    Close(errPipe);
    Close(outPipe);
    Close(inPipe);
}

void ChildProcess::Close(PipePair& pipe) {
    platform::CloseHandle(pipe.write);
    platform::CloseHandle(pipe.read);
}

bool ChildProcess::Launch(std::wstring_view commandLine) {
    if (commandLine.size() >= kCommandBufferSize) {
        DebugLog(L"command line of %zu characters does not fit\r\n", commandLine.size());
        return false;
    }
    if (!platform::CreatePipe(errPipe.read, errPipe.write) ||
        !platform::CreatePipe(outPipe.read, outPipe.write) ||
        !platform::CreatePipe(inPipe.read, inPipe.write)) {
        DebugLog(L"CreatePipe failed\r\n");
        return false;
    }
    commandLine.copy(commandBuffer.data(), commandLine.size());
    commandBuffer[commandLine.size()] = L'\0';
    const platform::StartupInfo startup{inPipe.read, outPipe.write, errPipe.write};
    if (!platform::CreateProcess(commandBuffer.data(), startup, processInfo)) {
        DebugLog(L"CreateProcess failed: %ls\r\n", commandBuffer.data());
        return false;
    }
    // The child holds its own copies now; keeping ours would hide its end.
    platform::CloseHandle(outPipe.write);
    platform::CloseHandle(errPipe.write);
    platform::CloseHandle(inPipe.read);

    errorDrain = StartWorkerThread([this] { DrainErrors(); }, L"ChildStdErr");
    return true;
}

bool ChildProcess::Read(std::string& chunk) {
    chunk.resize(kChunkSize);
    uint32_t got = 0;
    if (!platform::ReadFile(outPipe.read, chunk.data(), kChunkSize, got)) {
        chunk.clear();
        return false;
    }
    chunk.resize(got);
    return true;
}

bool ChildProcess::ReadPending(std::string& chunk) {
    uint32_t waiting = 0;
    if (!platform::PeekNamedPipe(outPipe.read, waiting) || waiting == 0) {
        chunk.clear();
        return false;
    }
    return Read(chunk);
}

bool ChildProcess::IsStillActive() {
    uint32_t exitCode = 0;
    return platform::GetExitCodeProcess(processInfo, exitCode) &&
           exitCode == platform::kStillActive;
}

void ChildProcess::WaitForExit() {
    std::string dropped;
    while (IsStillActive()) {
        if (!ReadPending(dropped)) std::this_thread::sleep_for(kIdlePause);
    }
    platform::WaitForProcess(processInfo);
}

void ChildProcess::DrainErrors() {
    char buffer[kChunkSize];
    for (;;) {
        uint32_t waiting = 0;
        if (!platform::PeekNamedPipe(errPipe.read, waiting)) return;  // every writer is gone
        if (waiting == 0) {
            if (stopDraining) return;
            std::this_thread::sleep_for(kIdlePause);
            continue;
        }
        uint32_t got = 0;
        if (!platform::ReadFile(errPipe.read, buffer, sizeof buffer, got)) return;
        const std::wstring text =
            platform::MultiByteToWide(std::string_view(buffer, got), platform::kCodePageAnsi);
        DebugLog(L"child %u wrote to standard error: %ls\r\n", processInfo.processId, text.c_str());
    }
}
