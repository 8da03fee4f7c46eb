#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace Utils {

// A worker thread that is created held at a start gate and named for
// debuggers; its owner starts it with Resume. Joining or destroying the
// record waits for the thread without a time limit. A record that is joined
// or destroyed without ever being resumed opens the gate without running the
// work, so it never hangs.
class Thread {
public:
    using Work = std::function<uint32_t(void*)>;

    static constexpr uint32_t kNoThreadId = 0xFFFFFFFFu;

    Thread(Work work, void* workParam, std::wstring threadName);
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // ResumeThread: opens the start gate. False when there is no thread or it
    // was already resumed.
    bool Resume();
    void Join();

    bool HasThread() const { return threadHandle != nullptr; }
    uint32_t ThreadId() const { return threadId; }
    const std::wstring& ThreadName() const { return threadName; }

private:
    enum class Gate { Closed, Open, Cancelled };

    static void CallBack(Thread* record);
    void WaitForGate();

    uint32_t threadId = kNoThreadId;
    std::unique_ptr<std::thread> threadHandle;
    Work work;
    void* workParam = nullptr;
    std::wstring threadName;

    std::mutex gateMutex;
    std::condition_variable gateChanged;
    Gate gate = Gate::Closed;
    bool idKnown = false;
};

}  // namespace Utils
