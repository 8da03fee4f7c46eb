#include "setup/status_lines.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text.h"

namespace StatusLines {
namespace {

constexpr std::wstring_view kWhiteSpace = L" \t\r\n\v\f";

// The leading run of characters that can be part of a number, as ASCII, so
// that the parsing does not depend on the C locale.
std::string NumberText(std::wstring_view text) {
    const size_t start = text.find_first_not_of(kWhiteSpace);
    if (start == std::wstring_view::npos) return {};
    std::string ascii;
    for (wchar_t c : text.substr(start)) {
        if (c > 0x7F) break;
        ascii.push_back(static_cast<char>(c));
    }
    if (!ascii.empty() && ascii[0] == '+') ascii.erase(0, 1);
    return ascii;
}

}  // namespace

std::wstring DecodeChunk(std::string_view bytes, unsigned codePage) {
    const size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
    return platform::MultiByteToWide(bytes, codePage);
}

std::vector<std::wstring_view> SplitLines(std::wstring_view chunk) {
    std::vector<std::wstring_view> lines;
    size_t start = 0;
    while (start <= chunk.size()) {
        const size_t end = chunk.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            if (start < chunk.size()) lines.push_back(chunk.substr(start));
            break;
        }
        lines.push_back(chunk.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool ValueOf(std::wstring_view line, std::wstring_view key, std::wstring& value) {
    if (!line.starts_with(key)) return false;
    value = std::wstring(line.substr(key.size(), kMaxTextValue));
    return true;
}

std::wstring Trim(std::wstring_view text) {
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::wstring_view::npos) return {};
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return std::wstring(text.substr(first, last - first + 1));
}

double ParseNumber(std::wstring_view text) {
    const std::string ascii = NumberText(text);
    double number = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number,
                                        std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(number)) return 0.0;
    return number;
}

bool ParseLeadingInteger(std::wstring_view text, int64_t& number) {
    const std::string ascii = NumberText(text);
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (result.ec == std::errc::result_out_of_range) {
        number = ascii.starts_with('-') ? std::numeric_limits<int64_t>::min()
                                        : std::numeric_limits<int64_t>::max();
        return true;
    }
    return result.ec == std::errc();
}

uint32_t ParseUnsigned32(std::wstring_view text) {
    int64_t number = 0;
    if (!ParseLeadingInteger(text, number)) return 0;
    return static_cast<uint32_t>(number);
}

}  // namespace StatusLines
