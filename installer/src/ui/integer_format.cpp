#include "ui/integer_format.h"

#include <cwchar>
#include <cwctype>

namespace {

constexpr int kMaxWidth = 260;

bool IsFlag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'0'; }

bool IsIntegerConversion(wchar_t c) {
    return c == L'd' || c == L'i' || c == L'u' || c == L'o' || c == L'x' || c == L'X';
}

// Reads decimal digits at `at`; false when the number is too large to be a
// sensible field width.
bool ReadNumber(const std::wstring& pattern, size_t& at) {
    int number = 0;
    while (at < pattern.size() && std::iswdigit(pattern[at])) {
        number = number * 10 + (pattern[at] - L'0');
        if (number > kMaxWidth) return false;
        ++at;
    }
    return true;
}

}  // namespace

std::optional<std::wstring> FormatIntegerPattern(const std::wstring& pattern, int value,
                                                 size_t bufferChars) {
    std::wstring result;
    bool converted = false;
    for (size_t at = 0; at < pattern.size();) {
        if (pattern[at] != L'%') {
            result.push_back(pattern[at++]);
            continue;
        }
        if (at + 1 < pattern.size() && pattern[at + 1] == L'%') {
            result.push_back(L'%');
            at += 2;
            continue;
        }
        const size_t start = at++;
        while (at < pattern.size() && IsFlag(pattern[at])) ++at;
        if (!ReadNumber(pattern, at)) return std::nullopt;
        if (at < pattern.size() && pattern[at] == L'.') {
            ++at;
            if (!ReadNumber(pattern, at)) return std::nullopt;
        }
        if (converted || at >= pattern.size() || !IsIntegerConversion(pattern[at])) {
            return std::nullopt;
        }
        const std::wstring conversion = pattern.substr(start, at - start + 1);
        ++at;
        wchar_t field[kMaxWidth * 2 + 2];
        const int length =
            std::swprintf(field, sizeof field / sizeof field[0], conversion.c_str(), value);
        if (length < 0) return std::nullopt;
        result.append(field, static_cast<size_t>(length));
        converted = true;
    }
    if (bufferChars > 0 && result.size() > bufferChars - 1) result.resize(bufferChars - 1);
    return result;
}
