#include "platform/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <string>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsUtf8CodePage(unsigned codePage) {
    return codePage == kCodePageAnsi || codePage == kCodePageUtf8;
}

std::wstring DecodeUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        int length = 0;
        char32_t codePoint = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, codePoint = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, codePoint = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, codePoint = lead & 0x07, minimum = 0x10000;
        }
        int taken = 1;
        bool valid = length > 0;
        while (valid && taken < length) {
            if (i + taken >= text.size()) {
                valid = false;
                break;
            }
            const auto next = static_cast<unsigned char>(text[i + taken]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
            ++taken;
        }
        if (valid && (codePoint < minimum || codePoint > 0x10FFFF ||
                      (codePoint >= 0xD800 && codePoint <= 0xDFFF))) {
            valid = false;
        }
        out.push_back(static_cast<wchar_t>(valid ? codePoint : kReplacement));
        i += valid ? length : taken;
    }
    return out;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t wide : text) {
        const auto codePoint = static_cast<char32_t>(wide);
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;  // not a character
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint <= 0x10FFFF) {
            out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return out;
}

// One iconv pass from `from` to `to`. On a sequence that cannot be converted,
// skips `skipBytes` input bytes and writes `replacement` instead.
bool IconvConvert(const std::string& from, const std::string& to, std::string_view input,
                  size_t skipBytes, std::string_view replacement, std::string& output) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    output.clear();
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out - buffer);
        if (result != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or a truncated sequence at the end (EINVAL).
        const size_t skip = std::min(skipBytes, inLeft);
        in += skip;
        inLeft -= skip;
        output.append(replacement);
    }
    iconv_close(cd);
    return true;
}

std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

}  // namespace

std::wstring MultiByteToWide(std::string_view text, unsigned codePage) {
    if (IsUtf8CodePage(codePage)) return DecodeUtf8(text);
    std::string utf32;
    const char32_t replacement = kReplacement;
    const std::string_view replacementBytes(reinterpret_cast<const char*>(&replacement),
                                            sizeof replacement);
    if (!IconvConvert(IconvName(codePage), "UTF-32LE", text, 1, replacementBytes, utf32)) {
        return {};
    }
    std::wstring out(utf32.size() / sizeof(char32_t), L'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        char32_t codePoint;
        std::memcpy(&codePoint, utf32.data() + i * sizeof codePoint, sizeof codePoint);
        out[i] = static_cast<wchar_t>(codePoint);
    }
    return out;
}

std::string WideToMultiByte(std::wstring_view text, unsigned codePage) {
    if (IsUtf8CodePage(codePage)) return EncodeUtf8(text);
    std::string utf32(text.size() * sizeof(char32_t), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto codePoint = static_cast<char32_t>(text[i]);
        std::memcpy(utf32.data() + i * sizeof codePoint, &codePoint, sizeof codePoint);
    }
    std::string out;
    if (!IconvConvert("UTF-32LE", IconvName(codePage), utf32, sizeof(char32_t), {}, out)) {
        return {};
    }
    return out;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

}  // namespace platform
