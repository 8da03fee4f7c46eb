#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace analytics_sdk {

// Sends one batch to the collection endpoint as
// "data_list=" + percent-encoded Base64 of the gzip-compressed array + "&gzip=1".
class HttpSender {
public:
    static constexpr long kTimeoutSeconds = 3;

    explicit HttpSender(std::string serverUrl, long timeoutSeconds = kTimeoutSeconds);

    // The request body for a batch text; empty when compression fails.
    static std::optional<std::string> EncodeBody(std::string_view batch);

    // True when the collector answered 200. Also records the outcome in
    // lastSendSucceeded whenever a request was attempted.
    bool Send(std::string_view batch);

private:
    std::string serverUrl_;
    long timeoutSeconds_;
    std::map<std::string, std::string> extraHeaders_;
};

}  // namespace analytics_sdk
