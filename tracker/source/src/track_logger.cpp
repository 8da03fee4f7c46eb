#include "source/src/track_logger.h"

namespace zerra::analytics {

void NativeTrackLogger::setPath(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (path == path_ && stream_.is_open()) return;
    stream_.close();
    path_ = path;
    stream_.open(path_, std::ios::binary | std::ios::app);
}

void NativeTrackLogger::close() {
    std::lock_guard lock(mutex_);
    stream_.close();
}

void NativeTrackLogger::logEvent(const std::string& eventName, const std::string& record) {
    std::lock_guard lock(mutex_);
    if (stream_.is_open()) stream_ << eventName << ' ' << record << '\n' << std::flush;
}

void NativeTrackLogger::logMessage(const std::string& message) {
    std::lock_guard lock(mutex_);
    if (stream_.is_open()) stream_ << message << '\n' << std::flush;
}

}  // namespace zerra::analytics
