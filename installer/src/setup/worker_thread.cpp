#include "setup/worker_thread.h"

std::unique_ptr<Utils::Thread> StartWorkerThread(std::function<void()> work,
                                                 const std::wstring& name) {
    auto thread = std::make_unique<Utils::Thread>(
        [work = std::move(work)](void*) {
            work();
            return 0u;
        },
        nullptr, name);
    thread->Resume();
    return thread;
}

const wchar_t* FlagText(bool value) { return value ? L"true" : L"false"; }
