#include "app/thread.h"

#include <string>

#include "app/debug_log.h"
#include "platform/process_info.h"
#include "platform/text.h"

namespace Utils {

Thread::Thread(Work work, void* workParam, std::wstring threadName)
    : work(std::move(work)), workParam(workParam), threadName(std::move(threadName)) {
    try {
        threadHandle = std::make_unique<std::thread>(&Thread::CallBack, this);
    } catch (const std::system_error&) {
        return;  // no thread: the record stays empty and nothing runs
    }
    std::unique_lock lock(gateMutex);
    gateChanged.wait(lock, [this] { return idKnown; });
}

Thread::~Thread() {
    Join();
    threadName.clear();
    work = nullptr;
}

bool Thread::Resume() {
    if (!threadHandle) return false;
    {
        std::lock_guard lock(gateMutex);
        if (gate != Gate::Closed) return false;
        gate = Gate::Open;
    }
    gateChanged.notify_all();
    return true;
}

void Thread::Join() {
    if (!threadHandle) return;
    // A thread still at the gate would wait there for ever: it is let go
    // without running the work.
    {
        std::lock_guard lock(gateMutex);
        if (gate == Gate::Closed) gate = Gate::Cancelled;
    }
    gateChanged.notify_all();
    if (threadHandle->joinable()) threadHandle->join();
    threadHandle.reset();
    threadId = kNoThreadId;
}

void Thread::WaitForGate() {
    std::unique_lock lock(gateMutex);
    threadId = platform::CurrentThreadId();
    idKnown = true;
    gateChanged.notify_all();
    gateChanged.wait(lock, [this] { return gate != Gate::Closed; });
}

void Thread::CallBack(Thread* record) {
    const std::string name =
        record->threadName.empty()
            ? "t" + std::to_string(platform::CurrentThreadId())
            : platform::WideToMultiByte(record->threadName, platform::kCodePageAnsi);
    platform::SetCurrentThreadName(name);
    record->WaitForGate();
    {
        std::lock_guard lock(record->gateMutex);
        if (record->gate == Gate::Cancelled) return;
    }
    DebugLog(L"THREAD BEGIN\r\n");
    record->work(record->workParam);
    DebugLog(L"THREAD END\r\n");
}

}  // namespace Utils
