#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <string>

// Small pieces shared by the libcurl downloaders.
namespace curl_options {

inline constexpr long kConnectTimeoutSeconds = 60;
// The receive buffer sets how much each socket read and file write moves: on
// a fast link libcurl's default 16 KiB costs a fifth of the throughput, and
// 512 KiB moves a quarter more than the curl tool's 100 KiB.
inline constexpr long kReceiveBufferBytes = 512 * 1024;

// A write function that accepts and drops every block (body-less probes).
size_t DiscardBody(char* data, size_t size, size_t count, void* unused);

// Sets an option and ORs its result into `result`, as the downloaders
// collect the codes of a whole option block before deciding.
template <typename Value>
void Set(CURL* handle, CURLoption option, Value value, int& result) {
    result |= static_cast<int>(curl_easy_setopt(handle, option, value));
}

// What every body-less probe sets: the URL, no body, a discarding write
// function and the connect timeout.
void SetProbeOptions(CURL* handle, const std::string& url, int& result);

// What every transfer sets: where the body goes, the transfer-information
// function, failure on HTTP status 400 and above, and the connect timeout.
void SetTransferOptions(CURL* handle, curl_write_callback write, void* writeData,
                        curl_xferinfo_callback progress, void* progressData, int& result);

}  // namespace curl_options
