#include "sdk/http_sender.h"

#include <curl/curl.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "platform/trace.h"
#include "sdk/http_connection.h"
#include "sdk/send_status.h"
#include "sdk/string_rules.h"

namespace analytics_sdk {
namespace {

constexpr size_t kDeflateChunk = 32768;

std::optional<std::string> Gzip(std::string_view input) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        ReportProblem("deflateInit2 failed while compressing.");
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(input.size());
    std::string output;
    std::vector<char> chunk(kDeflateChunk);
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_out = static_cast<uInt>(chunk.size());
        result = deflate(&stream, Z_FINISH);
        output.append(chunk.data(), chunk.size() - stream.avail_out);
    }
    if (result != Z_STREAM_END) {
        ReportProblem("Exception during zlib compression: (" + std::to_string(result) + ") " +
                      (stream.msg != nullptr ? stream.msg : "") + "\n");
        deflateEnd(&stream);
        return std::nullopt;
    }
    deflateEnd(&stream);
    return output;
}

std::string Base64(std::string_view bytes) {
    std::string text(4 * ((bytes.size() + 2) / 3), '\0');
    const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                        reinterpret_cast<const unsigned char*>(bytes.data()),
                                        static_cast<int>(bytes.size()));
    text.resize(static_cast<size_t>(written));
    return text;
}

// RFC 3986 unreserved characters pass; everything else becomes %XX.
std::optional<std::string> PercentEncode(const std::string& text) {
    char* escaped = curl_easy_escape(nullptr, text.data(), static_cast<int>(text.size()));
    if (escaped == nullptr) return std::nullopt;
    std::string result(escaped);
    curl_free(escaped);
    return result;
}

}  // namespace

HttpSender::HttpSender(std::string serverUrl, long timeoutSeconds)
    : serverUrl_(std::move(serverUrl)), timeoutSeconds_(timeoutSeconds) {}

std::optional<std::string> HttpSender::EncodeBody(std::string_view batch) {
    const std::optional<std::string> compressed = Gzip(batch);
    if (!compressed) return std::nullopt;
    const std::optional<std::string> encoded = PercentEncode(Base64(*compressed));
    if (!encoded) return std::nullopt;
    return "data_list=" + *encoded + "&gzip=1";
}

bool HttpSender::Send(std::string_view batch) {
    const std::optional<std::string> body = EncodeBody(batch);
    if (!body) return false;
    std::unique_ptr<HttpConnection> connection = HttpConnection::Create("");
    if (!connection) {
        ReportProblem("Exception when flush failed: (Couldn't initialize curl handle) \n");
        return false;
    }
    connection->set_timeout_seconds(timeoutSeconds_);
    connection->set_headers(extraHeaders_);
    const HttpResponse response = connection->Post(serverUrl_, *body);
    const bool delivered = response.status == 200;
    if (!delivered) {
        platform::OutputDebugString(L"[analytics] Analytics SDK send failed\r\n");
        ReportProblem("Analytics SDK send failed: " + response.body + "\n");
    }
    setLastSendSucceeded(delivered);
    return delivered;
}

}  // namespace analytics_sdk
