#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace collector {

// What one POST carried, as the collector saw it.
struct ReceivedRequest {
    std::string target;  // path and query
    std::string userAgent;
    std::string contentType;
    std::string body;
    bool decoded = false;  // the body had the expected form and decoded
    std::vector<std::string> records;
};

// An analytics collection endpoint on 127.0.0.1 for tests and for trying the
// installer by hand. Accepted requests are answered 200 and their records
// stored; on demand it answers 500 or holds requests until told otherwise.
class TestCollector {
public:
    enum class Mode { Accept, Fail, Hang };

    // Port 0 picks a free port.
    explicit TestCollector(int port = 0);
    ~TestCollector();
    TestCollector(const TestCollector&) = delete;
    TestCollector& operator=(const TestCollector&) = delete;

    bool running() const { return port_ > 0; }
    int port() const { return port_; }
    // "http://127.0.0.1:<port>/sa?project=pc"
    std::string endpoint() const;

    void set_mode(Mode mode);

    int requestCount() const;
    std::vector<ReceivedRequest> requests() const;
    // Records of the requests answered 200, in arrival order.
    std::vector<std::string> deliveredRecords() const;
    // Waits until at least `count` records were delivered; false on timeout.
    bool WaitForDeliveredRecords(size_t count, std::chrono::milliseconds timeout) const;
    bool WaitForRequests(int count, std::chrono::milliseconds timeout) const;

private:
    void Handle(ReceivedRequest request, int& status);

    std::unique_ptr<httplib::Server> server_;
    std::thread listener_;
    int port_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Mode mode_ = Mode::Accept;
    bool stopping_ = false;
    std::vector<ReceivedRequest> requests_;
    std::vector<std::string> delivered_;
};

}  // namespace collector
