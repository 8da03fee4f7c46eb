#include <algorithm>

#include "markup/markup_document.h"
#include "markup/markup_values.h"
#include "platform/text.h"

namespace Skin {
namespace {

constexpr wchar_t kEnd = L'\0';

bool IsMarkupSpace(wchar_t c) { return c != kEnd && c <= L' '; }

// Element and attribute names: letters, digits, "_" and ":". Characters beyond
// ASCII count as letters so that a name in another script still parses.
bool IsNameChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
           c == L'_' || c == L':' || c > 0x7F;
}

struct Entity {
    std::wstring_view spelling;
    wchar_t character;
};
constexpr Entity kEntities[] = {
    {L"&amp;", L'&'}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&quot;", L'"'}, {L"&apos;", L'\''},
};

// A failed parse unwinds by returning false; the first failure is the one kept.
class Parser {
public:
    explicit Parser(std::wstring_view text) : text_(text) {}

    bool ParseDocument(std::vector<MarkupElement>& elements) {
        for (;;) {
            SkipSpace();
            if (AtEnd()) {
                return !elements.empty() || Fail(L"Expected start tag");
            }
            if (SkipDeclarationOrComment()) continue;
            if (Peek() != L'<') return Fail(L"Expected start tag");
            elements.emplace_back();
            if (!ParseElement(elements.back())) return false;
        }
    }

    const std::wstring& error() const { return error_; }
    std::wstring_view errorLocation() const { return errorLocation_; }

private:
    wchar_t Peek(size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : kEnd;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    void SkipSpace() {
        while (IsMarkupSpace(Peek())) ++pos_;
    }

    bool Fail(const wchar_t* message) {
        error_ = message;
        errorLocation_ =
            text_.substr(std::min(pos_, text_.size()), MarkupDocument::kMaxErrorLocation);
        return false;
    }

    // "<?...?>" and "<!...->" (an XML comment ends in "-->"); an unterminated one
    // runs to the end of the text.
    bool SkipDeclarationOrComment() {
        if (Peek() != L'<' || (Peek(1) != L'?' && Peek(1) != L'!')) return false;
        const std::wstring_view terminator = Peek(1) == L'?' ? L"?>" : L"->";
        const size_t found = text_.find(terminator, pos_ + 2);
        pos_ = found == std::wstring_view::npos ? text_.size() : found + terminator.size();
        return true;
    }

    std::wstring_view ParseName() {
        const size_t start = pos_;
        while (IsNameChar(Peek())) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // Text up to the terminator (not consumed): entities replaced, white space
    // after a space dropped. False when the text ends first.
    bool ParseData(wchar_t terminator, std::wstring& out) {
        while (!AtEnd() && Peek() != terminator) {
            const wchar_t c = Peek();
            if (c == L'&') {
                const auto rest = text_.substr(pos_);
                const auto entity =
                    std::find_if(std::begin(kEntities), std::end(kEntities),
                                 [&](const Entity& e) { return rest.starts_with(e.spelling); });
                if (entity != std::end(kEntities)) {
                    out.push_back(entity->character);
                    pos_ += entity->spelling.size();
                    continue;
                }
            }
            out.push_back(c);
            ++pos_;
            if (c == L' ') SkipSpace();
        }
        return !AtEnd();
    }

    bool ParseAttributes(MarkupElement& element) {
        for (;;) {
            SkipSpace();
            if (AtEnd() || Peek() == L'>' || Peek() == L'/') return true;
            const std::wstring_view name = ParseName();
            SkipSpace();
            if (Peek() != L'=') return Fail(L"Error while parsing attributes");
            ++pos_;
            SkipSpace();
            if (Peek() != L'"') return Fail(L"Expected attribute value");
            ++pos_;
            std::wstring value;
            if (!ParseData(L'"', value)) return Fail(L"Error while parsing attribute string");
            ++pos_;
            if (element.attributes.size() < MarkupElement::kMaxAttributes) {
                element.attributes.push_back({std::wstring(name), std::move(value)});
            }
        }
    }

    // At "<" of a start tag.
    bool ParseElement(MarkupElement& element) {
        ++pos_;
        SkipSpace();
        element.name = ParseName();
        if (element.name.empty()) return Fail(L"Error parsing element name");
        if (!ParseAttributes(element)) return false;
        if (Peek() == L'/' && Peek(1) == L'>') {
            pos_ += 2;
            return true;
        }
        if (Peek() != L'>') return Fail(L"Expected start-tag closing");
        ++pos_;
        return ParseContent(element);
    }

    // Text and children up to the matching end tag.
    bool ParseContent(MarkupElement& element) {
        for (;;) {
            if (!ParseData(L'<', element.text)) return Fail(L"Expected end-tag start");
            if (Peek(1) == L'/') return ParseEndTag(element);
            if (SkipDeclarationOrComment()) continue;
            element.children.emplace_back();
            if (!ParseElement(element.children.back())) return false;
        }
    }

    // At "</".
    bool ParseEndTag(const MarkupElement& element) {
        pos_ += 2;
        SkipSpace();
        const size_t nameStart = pos_;
        if (ParseName() != element.name) {
            pos_ = nameStart;
            return Fail(L"Unmatched closing tag");
        }
        SkipSpace();
        if (Peek() != L'>') return Fail(L"Unmatched closing tag");
        ++pos_;
        return true;
    }

    std::wstring_view text_;
    size_t pos_ = 0;
    std::wstring error_;
    std::wstring_view errorLocation_;
};

}  // namespace

const std::wstring* MarkupElement::FindAttribute(std::wstring_view attributeName) const {
    for (const auto& attribute : attributes) {
        if (attribute.name == attributeName) return &attribute.value;
    }
    return nullptr;
}

const std::wstring* MarkupElement::FindAttributeIgnoreCase(std::wstring_view attributeName) const {
    for (const auto& attribute : attributes) {
        if (EqualsIgnoreCase(attribute.name, attributeName)) return &attribute.value;
    }
    return nullptr;
}

MarkupDocument ParseMarkup(std::wstring_view text) {
    MarkupDocument document;
    Parser parser(text);
    if (!parser.ParseDocument(document.elements_)) {
        document.elements_.clear();
        document.error_ = parser.error();
        document.errorLocation_ = parser.errorLocation();
    }
    return document;
}

std::wstring DecodeSkinText(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    return platform::MultiByteToWide(bytes, platform::kCodePageUtf8);
}

}  // namespace Skin
