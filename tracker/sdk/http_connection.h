#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace analytics_sdk {

struct HttpResponse {
    long status = -1;  // -1 when the transfer itself failed
    std::string body;  // for a failed transfer, libcurl's error text
    std::map<std::string, std::string> headers;
};

// One libcurl easy handle for one request. TLS peer and host verification stay on.
class HttpConnection {
public:
    // Null when libcurl cannot create a handle.
    static std::unique_ptr<HttpConnection> Create(std::string baseUrl);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    void set_timeout_seconds(long seconds) { timeoutSeconds_ = seconds; }
    void set_headers(std::map<std::string, std::string> headers) { headers_ = std::move(headers); }

    HttpResponse Post(const std::string& url, std::string_view body);

private:
    HttpConnection(void* handle, std::string baseUrl);

    void* handle_;
    std::string baseUrl_;
    std::map<std::string, std::string> headers_;
    long timeoutSeconds_ = 0;
};

}  // namespace analytics_sdk
