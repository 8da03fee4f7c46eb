#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sdk/http_sender.h"

namespace analytics_sdk {

// The bounded queue of serialised records and its batched sending. Records
// still queued at Close go to the staging file, which the next consumer of
// the same file puts back in front of its queue at its first flush.
class RecordConsumer {
public:
    static constexpr size_t kMaxStagedRecords = 1024;
    static constexpr size_t kBatchSize = 30;

    RecordConsumer(std::string stagingFile, std::unique_ptr<HttpSender> sender);

    void Add(std::string record);
    // Sends the oldest batch; true when it was delivered or there was none.
    bool Flush();
    // Sends batches until the queue is empty; stops at the first failure.
    bool FlushAll();
    // Writes the queue to the staging file and releases the sender.
    void Close();

    std::vector<std::string> QueuedRecords() const;
    bool HasQueuedRecords() const;

private:
    void MergeStagingFile();
    void WriteStagingFile() const;
    void RequeueFront(const std::vector<std::string>& batch);

    const std::string stagingFile_;
    mutable std::mutex recordsMutex_;
    std::deque<std::string> records_;
    bool stagingLoadPending_ = true;
    std::mutex sendingMutex_;
    std::unique_ptr<HttpSender> sender_;
};

}  // namespace analytics_sdk
