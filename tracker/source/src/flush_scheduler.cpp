#include "source/src/flush_scheduler.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "platform/trace.h"
#include "sdk/sdk.h"
#include "sdk/send_status.h"

namespace zerra::analytics {
namespace {

constexpr int kFlushAttempts = 3;
constexpr auto kAttemptPause = std::chrono::milliseconds(1);

// Never destroyed: a detached pass may still wait on it while the process exits.
std::mutex& PassLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

bool FlushWithRetries(std::atomic<int32_t>& pending) {
    for (int attempt = 0; attempt < kFlushAttempts && pending > 0; ++attempt) {
        if (analytics_sdk::Sdk::FlushAll()) {
            pending = 0;
            return true;
        }
        std::this_thread::sleep_for(kAttemptPause);
    }
    return false;
}

}  // namespace

FlushScheduler::FlushScheduler() : state_(std::make_shared<State>()) {}

void FlushScheduler::RunPass(State& state, bool flush) {
    std::lock_guard lock(PassLock());
    if (state.closed) return;
    if (flush) {
        FlushWithRetries(state.pending);
    } else {
        std::this_thread::sleep_for(kAttemptPause);
        state.pending += 1;
    }
}

void FlushScheduler::Schedule(bool flush) {
    if (analytics_sdk::lastSendSucceeded()) {
        RunPass(*state_, flush);
        return;
    }
    platform::OutputDebugString(L"[Analytics] Sending messages asynchronously\r\n");
    std::thread([state = state_, flush] { RunPass(*state, flush); }).detach();
}

void FlushScheduler::Close() {
    std::lock_guard lock(PassLock());
    state_->closed = true;
    // A pass that would have counted the last records never runs now: records
    // still queued are reason enough for the final attempts.
    const std::shared_ptr<analytics_sdk::Sdk> sdk = analytics_sdk::Sdk::Instance();
    if (sdk && sdk->consumer().HasQueuedRecords() && state_->pending == 0) state_->pending = 1;
    FlushWithRetries(state_->pending);
    analytics_sdk::Sdk::Shutdown();
}

}  // namespace zerra::analytics
