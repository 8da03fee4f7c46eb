#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "app/thread.h"

// The download thread of a downloader whose Start may run again on that very
// thread (the retry asked for inside the callback). A new launch waits for the
// previous thread, except when it runs on it: that record is kept and released
// by the next launch from elsewhere or by Stop, never by its own thread.
class DownloadThreadSlot {
public:
    ~DownloadThreadSlot() { Stop(); }

    // Starts work(param) on a new worker named "ABDEF". False after Stop.
    bool Launch(Utils::Thread::Work work, void* param);

    // Refuses later launches and waits for every thread launched so far.
    void Stop();
    bool Stopped() const { return stopped; }

    // Sleeps up to the given time, less when Stop is called meanwhile.
    void Pause(int milliseconds) const;

private:
    std::mutex mutex;
    std::atomic<bool> stopped = false;
    std::unique_ptr<Utils::Thread> current;
    std::unique_ptr<Utils::Thread> retired;
};
