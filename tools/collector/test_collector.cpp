#include "test_collector.h"

#include <httplib.h>

#include "request_body.h"

namespace collector {

TestCollector::TestCollector(int port) : server_(std::make_unique<httplib::Server>()) {
    server_->Post(".*", [this](const httplib::Request& request, httplib::Response& response) {
        ReceivedRequest received;
        received.target = request.target;
        received.userAgent = request.get_header_value("User-Agent");
        received.contentType = request.get_header_value("Content-Type");
        received.body = request.body;
        int status = 200;
        Handle(std::move(received), status);
        response.status = status;
        response.set_content(status == 200 ? "ok" : "collector refused the batch", "text/plain");
    });
    port_ = port == 0 ? server_->bind_to_any_port("127.0.0.1")
                      : (server_->bind_to_port("127.0.0.1", port) ? port : -1);
    if (port_ <= 0) return;
    listener_ = std::thread([this] { server_->listen_after_bind(); });
    // A stop before the loop runs would be lost and the join would never end.
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestCollector::~TestCollector() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    server_->stop();
    if (listener_.joinable()) listener_.join();
}

std::string TestCollector::endpoint() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/sa?project=pc";
}

void TestCollector::set_mode(Mode mode) {
    {
        std::lock_guard lock(mutex_);
        mode_ = mode;
    }
    changed_.notify_all();
}

void TestCollector::Handle(ReceivedRequest request, int& status) {
    if (const std::optional<std::string> array = DecodeRequestBody(request.body)) {
        request.decoded = true;
        request.records = SplitJsonArray(*array);
    }
    std::unique_lock lock(mutex_);
    requests_.push_back(request);
    changed_.notify_all();
    // A held request is answered once the mode changes; the client's timeout
    // normally ends it first.
    changed_.wait(lock, [this] { return mode_ != Mode::Hang || stopping_; });
    if (stopping_ || mode_ == Mode::Fail || !request.decoded) {
        status = request.decoded ? 500 : 400;
        return;
    }
    delivered_.insert(delivered_.end(), request.records.begin(), request.records.end());
    changed_.notify_all();
}

int TestCollector::requestCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(requests_.size());
}

std::vector<ReceivedRequest> TestCollector::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> TestCollector::deliveredRecords() const {
    std::lock_guard lock(mutex_);
    return delivered_;
}

bool TestCollector::WaitForDeliveredRecords(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return delivered_.size() >= count; });
}

bool TestCollector::WaitForRequests(int count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout,
                             [&] { return static_cast<int>(requests_.size()) >= count; });
}

}  // namespace collector
