#include "request_body.h"

#include <openssl/evp.h>
#include <zlib.h>

namespace collector {
namespace {

constexpr std::string_view kPrefix = "data_list=";
constexpr std::string_view kSuffix = "&gzip=1";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // the sender writes upper-case digits only
}

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::optional<std::string> Base64Decode(const std::string& text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out(text.size() / 4 * 3, '\0');
    const int written = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                        reinterpret_cast<const unsigned char*>(text.data()),
                                        static_cast<int>(text.size()));
    if (written < 0) return std::nullopt;
    size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') {
        ++padding;
    }
    out.resize(static_cast<size_t>(written) - padding);
    return out;
}

std::optional<std::string> Gunzip(const std::string& bytes) {
    z_stream stream{};
    if (inflateInit2(&stream, 31) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    std::string out;
    char chunk[16384];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.avail_in != 0) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> DecodeRequestBody(std::string_view body) {
    if (!body.starts_with(kPrefix) || !body.ends_with(kSuffix)) return std::nullopt;
    body.remove_prefix(kPrefix.size());
    body.remove_suffix(kSuffix.size());
    const std::optional<std::string> base64 = PercentDecode(body);
    if (!base64) return std::nullopt;
    const std::optional<std::string> compressed = Base64Decode(*base64);
    if (!compressed) return std::nullopt;
    return Gunzip(*compressed);
}

std::vector<std::string> SplitJsonArray(std::string_view array) {
    std::vector<std::string> elements;
    if (array.size() < 2 || array.front() != '[' || array.back() != ']') return elements;
    int depth = 0;
    bool inString = false;
    size_t start = 1;
    for (size_t i = 1; i + 1 < array.size(); ++i) {
        const char c = array[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') inString = true;
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') --depth;
        if (c == ',' && depth == 0) {
            elements.emplace_back(array.substr(start, i - start));
            start = i + 1;
        }
    }
    if (array.size() > 2) elements.emplace_back(array.substr(start, array.size() - 1 - start));
    return elements;
}

}  // namespace collector
