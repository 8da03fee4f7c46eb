#include "sdk/http_connection.h"

#include <curl/curl.h>

namespace analytics_sdk {
namespace {

constexpr char kUserAgent[] = "Analytics CPP SDK 0.9";

size_t AppendBody(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    const size_t start = text.find_first_not_of(kSpace);
    if (start == std::string_view::npos) return {};
    const size_t end = text.find_last_not_of(kSpace);
    return text.substr(start, end - start + 1);
}

size_t StoreHeader(char* data, size_t size, size_t count, void* target) {
    auto& headers = *static_cast<std::map<std::string, std::string>*>(target);
    const std::string_view line(data, size * count);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        const std::string_view name = Trim(line);
        if (!name.empty()) headers[std::string(name)] = "present";
    } else {
        headers[std::string(Trim(line.substr(0, colon)))] =
            std::string(Trim(line.substr(colon + 1)));
    }
    return size * count;
}

}  // namespace

std::unique_ptr<HttpConnection> HttpConnection::Create(std::string baseUrl) {
    CURL* handle = curl_easy_init();
    if (handle == nullptr) return nullptr;
    return std::unique_ptr<HttpConnection>(new HttpConnection(handle, std::move(baseUrl)));
}

HttpConnection::HttpConnection(void* handle, std::string baseUrl)
    : handle_(handle), baseUrl_(std::move(baseUrl)) {}

HttpConnection::~HttpConnection() { curl_easy_cleanup(static_cast<CURL*>(handle_)); }

HttpResponse HttpConnection::Post(const std::string& url, std::string_view body) {
    CURL* curl = static_cast<CURL*>(handle_);
    HttpResponse response;
    char error[CURL_ERROR_SIZE] = {};
    curl_slist* headerList = nullptr;
    for (const auto& [name, value] : headers_) {
        headerList = curl_slist_append(headerList, (name + ": " + value).c_str());
    }
    const std::string fullUrl = baseUrl_ + url;
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_URL, fullUrl.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, StoreHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response.headers);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headerList);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    if (timeoutSeconds_ > 0) {
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeoutSeconds_);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    }
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));

    const CURLcode result = curl_easy_perform(curl);
    if (result == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
    } else {
        response.status = -1;
        response.body = error[0] != '\0' ? error : curl_easy_strerror(result);
    }
    curl_slist_free_all(headerList);
    curl_easy_reset(curl);
    return response;
}

}  // namespace analytics_sdk
