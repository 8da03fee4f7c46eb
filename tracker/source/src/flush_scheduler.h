#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace zerra::analytics {

// When queued records leave: after every track operation a flush pass runs on
// the calling thread once a POST of this process has succeeded, otherwise on
// a detached thread. Passes of all trackers are serialised by one process-wide
// lock; a pass that starts after Close finds nothing to do, so the record layer
// is never shut down under a running pass.
class FlushScheduler {
public:
    FlushScheduler();

    void AddPending(int32_t count) { state_->pending += count; }
    bool HasPending() const { return state_->pending > 0; }

    // Runs (or starts) one pass: with `flush`, up to three flush-all attempts
    // while records are pending; without, it only counts one more pending.
    void Schedule(bool flush);

    // Waits for the running pass, runs up to three final flush-all attempts
    // when records are pending, then shuts the record layer down; passes
    // started later do nothing.
    void Close();

private:
    struct State {
        std::atomic<int32_t> pending{0};
        bool closed = false;  // guarded by the pass lock
    };
    static void RunPass(State& state, bool flush);

    std::shared_ptr<State> state_;
};

}  // namespace zerra::analytics
