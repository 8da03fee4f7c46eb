#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "markup/markup_document.h"

namespace Skin {

// The children of a Window element that declare resources instead of controls.
// Their tag and attribute names are compared ignoring case; when an attribute
// repeats, the later value wins.
enum class ResourceElementKind { kNone, kFont, kImage, kDefault, kMultiLanguage };

ResourceElementKind ResourceElementKindOf(const MarkupElement& element);

// A font of the window's (or, when shared, the process's) font table.
struct FontDeclaration {
    static constexpr size_t kMaxFaceNameLength = 31;

    int id = -1;
    std::wstring faceName;  // at most kMaxFaceNameLength characters kept
    int size = 12;          // character height in pixels
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool isDefault = false;
    bool shared = false;

    bool operator==(const FontDeclaration&) const = default;
};

// An image preloaded by name.
struct ImageDeclaration {
    std::wstring name;
    std::wstring resourceType;
    uint32_t mask = 0;
    bool shared = false;
};

// A default attribute list ("name" is the tag it applies to; "value" is a list
// of attributes written as in a start tag).
struct DefaultDeclaration {
    std::wstring tagName;
    std::wstring value;
    bool shared = false;

    // The attributes of value, read with the markup's attribute rules; empty
    // when value does not follow them.
    std::vector<MarkupAttribute> Attributes() const;
};

// One interface-language text.
struct LanguageTextDeclaration {
    int id = 0;
    std::wstring value;
};

// Each reader returns nothing when a required attribute is missing: a Font
// without a face name or with an id below 0, an Image or Default without a
// name, a MultiLanguage without an id.
std::optional<FontDeclaration> ReadFontDeclaration(const MarkupElement& element);
std::optional<ImageDeclaration> ReadImageDeclaration(const MarkupElement& element);
std::optional<DefaultDeclaration> ReadDefaultDeclaration(const MarkupElement& element);
std::optional<LanguageTextDeclaration> ReadLanguageTextDeclaration(const MarkupElement& element);

}  // namespace Skin
