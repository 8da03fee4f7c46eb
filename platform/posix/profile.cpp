#include "platform/profile.h"

#include <cstdint>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace platform {
namespace {

bool IsProfileSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f' || c == 0x1A;
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring DecodeUtf16Le(std::string_view bytes) {
    std::wstring out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t unit =
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                                 (static_cast<unsigned char>(bytes[i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(
                    static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                i += 2;
                continue;
            }
        }
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        out.push_back(static_cast<wchar_t>(surrogate ? 0xFFFD : unit));
    }
    return out;
}

// One line of a profile file as it stands, and what it means.
struct Line {
    enum class Kind { Other, Section, Entry };
    std::wstring text;
    Kind kind = Kind::Other;
    std::wstring name;   // section or key name
    std::wstring value;  // the entry's value, trimmed, quotes kept
};

class ProfileFile {
public:
    explicit ProfileFile(const std::wstring& fileName) {
        path_ = ResolvePathCase(fileName);
        std::string bytes;
        exists_ = ReadWholeFile(path_, bytes);
        if (!exists_) return;
        std::wstring text;
        if (bytes.starts_with("\xFF\xFE")) {
            text = DecodeUtf16Le(std::string_view(bytes).substr(2));
        } else {
            if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
            text = MultiByteToWide(bytes, kCodePageUtf8);
        }
        if (text.find(L"\r\n") == std::wstring::npos && text.find(L'\n') != std::wstring::npos) {
            lineEnd_ = L"\n";
        }
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos) end = text.size();
            std::wstring lineText = text.substr(start, end - start);
            if (lineText.ends_with(L'\r')) lineText.pop_back();
            lines_.push_back(Parse(std::move(lineText)));
            start = end + 1;
        }
    }

    bool exists() const { return exists_; }

    // Index of the first section header with this name, or npos.
    size_t FindSection(std::wstring_view section) const {
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].kind == Line::Kind::Section &&
                EqualIgnoringCase(lines_[i].name, section)) {
                return i;
            }
        }
        return npos;
    }

    // One past the last line that belongs to the section starting at `header`.
    size_t SectionEnd(size_t header) const {
        size_t i = header + 1;
        while (i < lines_.size() && lines_[i].kind != Line::Kind::Section) ++i;
        return i;
    }

    size_t FindEntry(size_t header, std::wstring_view key) const {
        for (size_t i = header + 1; i < SectionEnd(header); ++i) {
            if (lines_[i].kind == Line::Kind::Entry && EqualIgnoringCase(lines_[i].name, key))
                return i;
        }
        return npos;
    }

    const Line& line(size_t index) const { return lines_[index]; }

    void Replace(size_t index, std::wstring text) { lines_[index] = Parse(std::move(text)); }
    void Insert(size_t index, std::wstring text) {
        lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(index), Parse(std::move(text)));
    }
    void Erase(size_t first, size_t last) {
        lines_.erase(lines_.begin() + static_cast<ptrdiff_t>(first),
                     lines_.begin() + static_cast<ptrdiff_t>(last));
    }
    size_t size() const { return lines_.size(); }

    bool Save() const {
        std::wstring text;
        for (const Line& line : lines_) text += line.text + lineEnd_;
        return WriteFileAtomically(path_, WideToMultiByte(text, kCodePageUtf8));
    }

    static constexpr size_t npos = static_cast<size_t>(-1);

private:
    static Line Parse(std::wstring text) {
        Line line;
        line.text = std::move(text);
        const std::wstring_view view = Trim(line.text);
        if (view.starts_with(L'[')) {
            std::wstring_view name = view.substr(1);
            const size_t close = name.rfind(L']');
            if (close != std::wstring_view::npos) name = name.substr(0, close);
            line.kind = Line::Kind::Section;
            line.name = Trim(name);
            return line;
        }
        const size_t equals = view.find(L'=');
        if (equals == std::wstring_view::npos) return line;
        line.kind = Line::Kind::Entry;
        line.name = Trim(view.substr(0, equals));
        line.value = Trim(view.substr(equals + 1));
        return line;
    }

    std::wstring path_;
    bool exists_ = false;
    std::vector<Line> lines_;
    std::wstring lineEnd_ = L"\r\n";
};

std::wstring_view Unquote(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::wstring CutToBuffer(std::wstring_view text, size_t bufferSize) {
    if (bufferSize == 0) return {};
    return std::wstring(text.substr(0, bufferSize - 1));
}

bool BreaksALine(std::wstring_view text) {
    return text.find_first_of(L"\r\n") != std::wstring_view::npos;
}

// The value of a key when file, section and key exist.
bool FindValue(const ProfileFile& file, std::wstring_view section, std::wstring_view key,
               std::wstring& value) {
    if (!file.exists()) return false;
    const size_t header = file.FindSection(section);
    if (header == ProfileFile::npos) return false;
    const size_t entry = file.FindEntry(header, key);
    if (entry == ProfileFile::npos) return false;
    value = Unquote(file.line(entry).value);
    return true;
}

// RtlUnicodeStringToInteger with base 0, as the Windows profile reader uses it.
int ParseProfileInteger(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] <= L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == L'0') {
        const wchar_t marker = text[i + 1];
        if (marker == L'x') base = 16;
        if (marker == L'o') base = 8;
        if (marker == L'b') base = 2;
        if (base != 10) i += 2;
    }
    uint32_t result = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = static_cast<unsigned>(c - L'0');
        } else if (c >= L'a' && c <= L'f') {
            digit = static_cast<unsigned>(c - L'a' + 10);
        } else if (c >= L'A' && c <= L'F') {
            digit = static_cast<unsigned>(c - L'A' + 10);
        } else {
            break;
        }
        if (digit >= base) break;
        result = result * base + digit;
    }
    return static_cast<int>(negative ? 0u - result : result);
}

}  // namespace

std::wstring GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view defaultValue, size_t bufferSize,
                                     const std::wstring& fileName) {
    std::wstring value;
    if (!FindValue(ProfileFile(fileName), section, key, value)) {
        // Windows drops the default's trailing blanks.
        while (!defaultValue.empty() && defaultValue.back() == L' ') defaultValue.remove_suffix(1);
        return CutToBuffer(defaultValue, bufferSize);
    }
    return CutToBuffer(value, bufferSize);
}

int GetPrivateProfileInt(std::wstring_view section, std::wstring_view key, int defaultValue,
                         const std::wstring& fileName) {
    std::wstring value;
    // The Windows reader looks at no more than 29 characters.
    if (!FindValue(ProfileFile(fileName), section, key, value) || value.empty()) {
        return defaultValue;
    }
    return ParseProfileInteger(CutToBuffer(value, 30));
}

bool WritePrivateProfileString(std::wstring_view section, std::optional<std::wstring_view> key,
                               std::optional<std::wstring_view> value,
                               const std::wstring& fileName) {
    if (BreaksALine(section) || section.find(L']') != std::wstring_view::npos) return false;
    if (key && (BreaksALine(*key) || key->find(L'=') != std::wstring_view::npos)) return false;
    if (value && BreaksALine(*value)) return false;

    ProfileFile file(fileName);
    size_t header = file.FindSection(section);
    if (!key) {
        if (header == ProfileFile::npos) return true;
        file.Erase(header, file.SectionEnd(header));
        return file.Save();
    }
    if (header == ProfileFile::npos) {
        if (!value) return true;
        header = file.size();
        file.Insert(header, L"[" + std::wstring(section) + L"]");
    }
    const size_t entry = file.FindEntry(header, *key);
    if (!value) {
        if (entry == ProfileFile::npos) return true;
        file.Erase(entry, entry + 1);
        return file.Save();
    }
    std::wstring text = std::wstring(*key) + L"=" + std::wstring(*value);
    if (entry != ProfileFile::npos) {
        file.Replace(entry, std::move(text));
    } else {
        // After the section's last non-blank line, so blank separators stay below it.
        size_t at = file.SectionEnd(header);
        while (at > header + 1 && Trim(file.line(at - 1).text).empty()) --at;
        file.Insert(at, std::move(text));
    }
    return file.Save();
}

}  // namespace platform
