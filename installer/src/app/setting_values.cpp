#include "app/setting_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

size_t SkipSpace(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    return i;
}

size_t SkipDigits(std::wstring_view text, size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// The ASCII text of [first, last), which holds only digits, signs, '.' and 'e'.
std::string Narrow(std::wstring_view text, size_t first, size_t last) {
    std::string out;
    for (size_t i = first; i < last; ++i) out.push_back(static_cast<char>(text[i]));
    return out;
}

template <typename Number>
Conversion Convert(const std::string& text, Number& value) {
    Number parsed{};
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error == std::errc::result_out_of_range) return Conversion::OutOfRange;
    if (error != std::errc{} || ptr != text.data() + text.size()) return Conversion::NotANumber;
    value = parsed;
    return Conversion::Done;
}

}  // namespace

Conversion ParseDecimalInteger(std::wstring_view text, int32_t& value) {
    size_t start = SkipSpace(text);
    size_t i = start;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    const size_t end = SkipDigits(text, i);
    if (end == i) return Conversion::NotANumber;
    // from_chars takes no '+'.
    if (text[start] == L'+') ++start;
    return Convert(Narrow(text, start, end), value);
}

Conversion ParseDecimalNumber(std::wstring_view text, double& value) {
    size_t start = SkipSpace(text);
    size_t i = start;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    const size_t integerEnd = SkipDigits(text, i);
    size_t end = integerEnd;
    bool anyDigit = integerEnd > i;
    if (end < text.size() && text[end] == L'.') {
        const size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) return Conversion::NotANumber;
    if (end < text.size() && (text[end] == L'e' || text[end] == L'E')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == L'+' || text[exponent] == L'-')) {
            ++exponent;
        }
        const size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;
    }
    if (text[start] == L'+') ++start;
    return Convert(Narrow(text, start, end), value);
}

bool IsValidDownloadScale(double scale) { return std::isfinite(scale) && scale >= 0 && scale <= 1; }
