#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Skin {

// One name="value" pair of an element, entities already replaced.
struct MarkupAttribute {
    std::wstring name;
    std::wstring value;
};

// One element of a skin file: its tag, its attributes in document order (at most
// kMaxAttributes are kept), its text and its child elements in document order.
struct MarkupElement {
    static constexpr size_t kMaxAttributes = 64;

    std::wstring name;
    std::vector<MarkupAttribute> attributes;
    std::wstring text;  // kept for completeness; the builder never reads it
    std::vector<MarkupElement> children;

    // The first attribute of that name, compared exactly (control attributes).
    const std::wstring* FindAttribute(std::wstring_view attributeName) const;
    // The first attribute of that name ignoring ASCII letter case (the Window,
    // Font, Image, Default and MultiLanguage elements).
    const std::wstring* FindAttributeIgnoreCase(std::wstring_view attributeName) const;
};

// The result of parsing one skin file. A failed parse keeps no elements, only the
// error text ("Expected start tag", ...) and up to 49 characters of the text at
// the place where it was found.
class MarkupDocument {
public:
    static constexpr size_t kMaxErrorLocation = 49;

    bool ok() const { return error_.empty(); }
    const std::wstring& error() const { return error_; }
    const std::wstring& errorLocation() const { return errorLocation_; }

    // The first top-level element (the "Window" of every skin); null when the
    // parse failed.
    const MarkupElement* root() const {
        return ok() && !elements_.empty() ? &elements_[0] : nullptr;
    }
    const std::vector<MarkupElement>& topLevelElements() const { return elements_; }

private:
    friend MarkupDocument ParseMarkup(std::wstring_view text);

    std::vector<MarkupElement> elements_;
    std::wstring error_;
    std::wstring errorLocation_;
};

// Parses a skin file with the toolkit's small non-validating XML grammar: "<?...?>"
// and "<!...->" constructs are skipped, attribute values are double-quoted, the five
// predefined entities are replaced, and after a space further white space is
// dropped. A document without any element fails with "Expected start tag".
MarkupDocument ParseMarkup(std::wstring_view text);

// The text of a skin file as stored in the package: UTF-8, with an optional
// byte-order mark EF BB BF that is skipped. The XML declaration's encoding is
// not looked at.
std::wstring DecodeSkinText(std::string_view bytes);

}  // namespace Skin
