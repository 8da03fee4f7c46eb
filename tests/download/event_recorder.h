#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "download/download_callback.h"

// Collects a downloader's events and lets a test wait for the final one.
// A retry request (1005) is answered like the orchestrator does: by calling
// Start again from inside the callback, when a restart function is set.
class EventRecorder {
public:
    struct Event {
        int32_t code;
        double value;
        std::wstring text;
    };

    DownloadCallback Callback() {
        return [this](int32_t code, double value, const wchar_t* text) {
            {
                std::lock_guard lock(mutex);
                events.push_back({code, value, text ? text : L""});
            }
            changed.notify_all();
            if (code == DL_CODE_RETRY && restart) restart();
        };
    }

    // Waits until a final event (1003 or 1004) has arrived.
    bool WaitForEnd(std::chrono::seconds limit = std::chrono::seconds(60)) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [this] {
            for (const Event& e : events) {
                if (e.code == DL_CODE_SUCCESS || e.code == DL_CODE_FAIL) return true;
            }
            return false;
        });
    }

    std::vector<Event> Events() const {
        std::lock_guard lock(mutex);
        return events;
    }

    // The codes other than progress, in order.
    std::vector<int32_t> Milestones() const {
        std::vector<int32_t> codes;
        for (const Event& e : Events()) {
            if (e.code != DL_CODE_PROGRESS) codes.push_back(e.code);
        }
        return codes;
    }

    std::vector<double> Progress() const {
        std::vector<double> values;
        for (const Event& e : Events()) {
            if (e.code == DL_CODE_PROGRESS) values.push_back(e.value);
        }
        return values;
    }

    std::function<void()> restart;

private:
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::vector<Event> events;
};
