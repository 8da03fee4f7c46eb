#include "sdk/record_consumer.h"

#include <filesystem>
#include <fstream>

#include "sdk/json_writer.h"

namespace analytics_sdk {

RecordConsumer::RecordConsumer(std::string stagingFile, std::unique_ptr<HttpSender> sender)
    : stagingFile_(std::move(stagingFile)), sender_(std::move(sender)) {}

void RecordConsumer::Add(std::string record) {
    std::lock_guard lock(recordsMutex_);
    records_.push_back(std::move(record));
    if (records_.size() > kMaxStagedRecords) records_.pop_front();
}

void RecordConsumer::MergeStagingFile() {
    std::lock_guard lock(recordsMutex_);
    if (!stagingLoadPending_) return;
    stagingLoadPending_ = false;
    const size_t free = kMaxStagedRecords - std::min(records_.size(), kMaxStagedRecords);
    if (free > 0) {
        std::deque<std::string> kept;
        std::ifstream in(stagingFile_, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line.front() != '{' || line.back() != '}') continue;
            kept.push_back(std::move(line));
            if (kept.size() > free) kept.pop_front();
        }
        records_.insert(records_.begin(), kept.begin(), kept.end());
    }
    // Opening for writing empties the file; a file that cannot be opened is no error.
    std::ofstream truncate(stagingFile_, std::ios::binary | std::ios::trunc);
}

void RecordConsumer::RequeueFront(const std::vector<std::string>& batch) {
    std::lock_guard lock(recordsMutex_);
    const size_t free = kMaxStagedRecords - std::min(records_.size(), kMaxStagedRecords);
    const size_t keep = std::min(batch.size(), free);
    // When not all fit, the oldest records of the batch are the ones dropped.
    records_.insert(records_.begin(), batch.end() - static_cast<std::ptrdiff_t>(keep), batch.end());
}

// A crash or a full disk half-way must leave the previous file, not half of
// this one: write beside it, then rename over it.
void RecordConsumer::WriteStagingFile() const {
    const std::string temporary = stagingFile_ + ".tmp";
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return;
        for (const std::string& record : records_) out << record << '\n';
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, ignored);
            return;
        }
    }
    std::filesystem::rename(temporary, stagingFile_, ignored);
    if (ignored) std::filesystem::remove(temporary, ignored);
}

bool RecordConsumer::Flush() {
    MergeStagingFile();
    std::lock_guard sending(sendingMutex_);
    std::vector<std::string> batch;
    {
        std::lock_guard lock(recordsMutex_);
        const size_t count = std::min(records_.size(), kBatchSize);
        if (count == 0) return true;
        batch.assign(
            std::make_move_iterator(records_.begin()),
            std::make_move_iterator(records_.begin() + static_cast<std::ptrdiff_t>(count)));
        records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(count));
    }
    const bool delivered = sender_ && sender_->Send(BatchText(batch));
    if (!delivered) RequeueFront(batch);
    return delivered;
}

bool RecordConsumer::FlushAll() {
    MergeStagingFile();
    while (true) {
        {
            std::lock_guard lock(recordsMutex_);
            if (records_.empty()) return true;
        }
        if (!Flush()) return false;
    }
}

void RecordConsumer::Close() {
    MergeStagingFile();
    std::lock_guard sending(sendingMutex_);
    std::lock_guard lock(recordsMutex_);
    WriteStagingFile();
    sender_.reset();
}

std::vector<std::string> RecordConsumer::QueuedRecords() const {
    std::lock_guard lock(recordsMutex_);
    return {records_.begin(), records_.end()};
}

bool RecordConsumer::HasQueuedRecords() const {
    std::lock_guard lock(recordsMutex_);
    return !records_.empty();
}

}  // namespace analytics_sdk
