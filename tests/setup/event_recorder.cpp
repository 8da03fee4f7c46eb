#include "event_recorder.h"

#include <algorithm>
#include <ostream>

#include "platform/text.h"

std::ostream& operator<<(std::ostream& out, const RecordedEvent& event) {
    return out << "(" << event.code << ", " << event.value << ", \""
               << platform::WideToMultiByte(event.text, platform::kCodePageUtf8) << "\")";
}

DownloadCallback EventRecorder::Callback(std::function<void(const RecordedEvent&)> onEvent) {
    return [this, onEvent](int32_t code, double value, const wchar_t* text) {
        RecordedEvent event{code, value, text ? text : L""};
        {
            std::lock_guard lock(mutex_);
            events_.push_back(event);
        }
        arrived_.notify_all();
        if (onEvent) onEvent(event);
    };
}

std::vector<RecordedEvent> EventRecorder::Events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<int32_t> EventRecorder::Codes() const {
    std::vector<int32_t> codes;
    for (const RecordedEvent& event : Events()) codes.push_back(event.code);
    return codes;
}

bool EventRecorder::Has(int32_t code) const {
    const std::vector<int32_t> codes = Codes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool EventRecorder::WaitFor(int32_t code, std::chrono::seconds limit) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, limit, [&] {
        return std::any_of(events_.begin(), events_.end(),
                           [code](const RecordedEvent& event) { return event.code == code; });
    });
}
