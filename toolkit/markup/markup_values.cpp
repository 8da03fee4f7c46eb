#include "markup/markup_values.h"

#include <algorithm>
#include <array>
#include <limits>

namespace Skin {
namespace {

bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    c = FoldAscii(c);
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

// Reads one integer at the front of text and removes what it consumed.
int TakeInteger(std::wstring_view& text) {
    size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-'))
        negative = text[pos++] == L'-';
    const size_t digitsStart = pos;
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        value = std::min(value * 10 + (text[pos] - L'0'), kLimit);
        ++pos;
    }
    if (pos == digitsStart) return 0;  // nothing consumed, like strtol
    text.remove_prefix(pos);
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(std::min<long long>(value, std::numeric_limits<int>::max()));
}

template <size_t N>
std::array<int, N> ParseIntList(std::wstring_view text) {
    std::array<int, N> values{};
    for (size_t i = 0; i < N && !text.empty(); ++i) {
        if (i > 0) text.remove_prefix(1);  // the one separator character
        values[i] = TakeInteger(text);
    }
    return values;
}

}  // namespace

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

int ParseInteger(std::wstring_view text) { return TakeInteger(text); }

IntSize ParseIntSize(std::wstring_view text) {
    const auto v = ParseIntList<2>(text);
    return {v[0], v[1]};
}

IntRect ParseIntRect(std::wstring_view text) {
    const auto v = ParseIntList<4>(text);
    return {v[0], v[1], v[2], v[3]};
}

uint32_t ParseColor(std::wstring_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    if (pos < text.size() && text[pos] == L'#') ++pos;
    if (pos + 2 < text.size() && text[pos] == L'0' && FoldAscii(text[pos + 1]) == L'x' &&
        HexDigit(text[pos + 2]) >= 0) {
        pos += 2;
    }
    unsigned long long value = 0;
    for (; pos < text.size() && HexDigit(text[pos]) >= 0; ++pos) {
        value = std::min<unsigned long long>(value * 16 + HexDigit(text[pos]), 0xFFFFFFFFull + 1);
    }
    return static_cast<uint32_t>(std::min<unsigned long long>(value, 0xFFFFFFFFull));
}

}  // namespace Skin
