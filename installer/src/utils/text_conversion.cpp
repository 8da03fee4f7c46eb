#include "utils/text_conversion.h"

#include <string_view>

namespace {

template <typename Char>
std::basic_string_view<Char> UpToNul(const std::basic_string<Char>& text) {
    return std::basic_string_view<Char>(text.c_str());
}

}  // namespace

std::wstring ToWide(const std::string& text, unsigned codePage) {
    return platform::MultiByteToWide(UpToNul(text), codePage);
}

std::string ToNarrow(const std::wstring& wideText, unsigned codePage) {
    return platform::WideToMultiByte(UpToNul(wideText), codePage);
}

std::string Utf8ToAnsi(const std::string& text) {
    return ToNarrow(ToWide(text, kCodePageUtf8), kCodePageAnsi);
}
