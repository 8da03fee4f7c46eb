#include "platform/wide_format.h"

#include <locale.h>

#include <cerrno>
#include <cwchar>
#include <vector>

namespace platform {
namespace {

// Narrow arguments are UTF-8, so they are decoded in a UTF-8 locale of the
// calling thread alone.
locale_t Utf8Locale() {
    static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

class ThreadLocale {
public:
    explicit ThreadLocale(locale_t locale)
        : previous_(locale != nullptr ? ::uselocale(locale) : nullptr) {}
    ~ThreadLocale() {
        if (previous_ != nullptr) ::uselocale(previous_);
    }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    locale_t previous_;
};

}  // namespace

bool AppendFormattedWide(std::wstring& out, const wchar_t* format, va_list args) {
    // vswprintf cannot measure a length: it fails when the buffer is short,
    // so the buffer grows until the text fits.
    constexpr size_t kLimit = size_t{1} << 24;
    const ThreadLocale utf8(Utf8Locale());
    std::vector<wchar_t> buffer(512);
    while (buffer.size() <= kLimit) {
        va_list copy;
        va_copy(copy, args);
        errno = 0;
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (written >= 0) {
            out.append(buffer.data(), static_cast<size_t>(written));
            return true;
        }
        // A text that cannot be converted does not fit any better in more room.
        if (errno == EILSEQ || errno == EINVAL) return false;
        buffer.resize(buffer.size() * 4);
    }
    return false;
}

}  // namespace platform
