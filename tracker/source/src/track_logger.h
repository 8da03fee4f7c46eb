#pragma once

#include <fstream>
#include <mutex>
#include <string>

namespace zerra::analytics {

class TrackLogger {
public:
    virtual ~TrackLogger() = default;
    virtual void logEvent(const std::string& eventName, const std::string& record) = 0;
    virtual void logMessage(const std::string& message) = 0;
};

// The per-application log file; it exists (empty) from the tracker's start.
class NativeTrackLogger : public TrackLogger {
public:
    // Opens the file, creating it when missing; the same path again keeps the stream.
    void setPath(const std::string& path);
    void close();

    void logEvent(const std::string& eventName, const std::string& record) override;
    void logMessage(const std::string& message) override;

private:
    std::mutex mutex_;
    std::string path_;
    std::ofstream stream_;
};

}  // namespace zerra::analytics
