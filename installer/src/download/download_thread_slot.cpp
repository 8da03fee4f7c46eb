#include "download/download_thread_slot.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/process_info.h"

bool DownloadThreadSlot::Launch(Utils::Thread::Work work, void* param) {
    std::unique_ptr<Utils::Thread> finished[2];
    {
        std::lock_guard lock(mutex);
        if (stopped) return false;
        if (current && current->ThreadId() == platform::CurrentThreadId()) {
            finished[0] = std::move(retired);
            retired = std::move(current);
        } else {
            finished[0] = std::move(current);
            finished[1] = std::move(retired);
        }
    }
    for (auto& record : finished) record.reset();  // waits for each

    std::lock_guard lock(mutex);
    if (stopped) return false;
    current = std::make_unique<Utils::Thread>(std::move(work), param, L"ABDEF");
    return current->Resume();
}

void DownloadThreadSlot::Stop() {
    stopped = true;
    for (;;) {
        std::unique_ptr<Utils::Thread> finished[2];
        {
            std::lock_guard lock(mutex);
            if (!current && !retired) return;
            finished[0] = std::move(current);
            finished[1] = std::move(retired);
        }
    }
}

void DownloadThreadSlot::Pause(int milliseconds) const {
    constexpr int kStep = 20;
    for (int waited = 0; waited < milliseconds && !stopped; waited += kStep) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min(kStep, milliseconds - waited)));
    }
}
