#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "download/download_callback.h"

// Collects the events a driver reports on its threads.
struct RecordedEvent {
    int32_t code = 0;
    double value = 0.0;
    std::wstring text;

    bool operator==(const RecordedEvent&) const = default;
};

using Events = std::vector<RecordedEvent>;

std::ostream& operator<<(std::ostream& out, const RecordedEvent& event);

class EventRecorder {
public:
    // `onEvent` runs on the reporting thread after the event is stored.
    DownloadCallback Callback(std::function<void(const RecordedEvent&)> onEvent = {});

    std::vector<RecordedEvent> Events() const;
    std::vector<int32_t> Codes() const;
    bool Has(int32_t code) const;

    // Waits until an event with `code` has arrived; false after the safety limit.
    bool WaitFor(int32_t code, std::chrono::seconds limit = std::chrono::seconds(60)) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::vector<RecordedEvent> events_;
};
