#include "markup/resource_elements.h"

#include "markup/markup_values.h"

namespace Skin {
namespace {

// Calls apply(name, value) for every attribute in document order, so that a
// repeated attribute's last value wins.
template <typename Apply>
void ForEachAttribute(const MarkupElement& element, Apply apply) {
    for (const auto& attribute : element.attributes) apply(attribute.name, attribute.value);
}

bool Is(std::wstring_view name, std::wstring_view expected) {
    return EqualsIgnoreCase(name, expected);
}

}  // namespace

ResourceElementKind ResourceElementKindOf(const MarkupElement& element) {
    if (Is(element.name, L"Font")) return ResourceElementKind::kFont;
    if (Is(element.name, L"Image")) return ResourceElementKind::kImage;
    if (Is(element.name, L"Default")) return ResourceElementKind::kDefault;
    if (Is(element.name, L"MultiLanguage")) return ResourceElementKind::kMultiLanguage;
    return ResourceElementKind::kNone;
}

std::optional<FontDeclaration> ReadFontDeclaration(const MarkupElement& element) {
    FontDeclaration font;
    ForEachAttribute(element, [&](std::wstring_view name, const std::wstring& value) {
        if (Is(name, L"id")) {
            font.id = ParseInteger(value);
        } else if (Is(name, L"name")) {
            font.faceName = value.substr(0, FontDeclaration::kMaxFaceNameLength);
        } else if (Is(name, L"size")) {
            font.size = ParseInteger(value);
        } else if (Is(name, L"bold")) {
            font.bold = ParseBool(value);
        } else if (Is(name, L"underline")) {
            font.underline = ParseBool(value);
        } else if (Is(name, L"italic")) {
            font.italic = ParseBool(value);
        } else if (Is(name, L"default")) {
            font.isDefault = ParseBool(value);
        } else if (Is(name, L"shared")) {
            font.shared = ParseBool(value);
        }
    });
    if (font.id < 0 || font.faceName.empty()) return std::nullopt;
    return font;
}

std::optional<ImageDeclaration> ReadImageDeclaration(const MarkupElement& element) {
    ImageDeclaration image;
    ForEachAttribute(element, [&](std::wstring_view name, const std::wstring& value) {
        if (Is(name, L"name")) {
            image.name = value;
        } else if (Is(name, L"restype")) {
            image.resourceType = value;
        } else if (Is(name, L"mask")) {
            image.mask = ParseColor(value);
        } else if (Is(name, L"shared")) {
            image.shared = ParseBool(value);
        }
    });
    if (image.name.empty()) return std::nullopt;
    return image;
}

std::optional<DefaultDeclaration> ReadDefaultDeclaration(const MarkupElement& element) {
    DefaultDeclaration declaration;
    ForEachAttribute(element, [&](std::wstring_view name, const std::wstring& value) {
        if (Is(name, L"name")) {
            declaration.tagName = value;
        } else if (Is(name, L"value")) {
            declaration.value = value;
        } else if (Is(name, L"shared")) {
            declaration.shared = ParseBool(value);
        }
    });
    if (declaration.tagName.empty()) return std::nullopt;
    return declaration;
}

std::vector<MarkupAttribute> DefaultDeclaration::Attributes() const {
    // Read as the attributes of an empty element; anything that closes it early
    // makes the list invalid rather than half-read.
    const MarkupDocument document = ParseMarkup(L"<Default " + value + L"/>");
    if (!document.ok() || document.topLevelElements().size() != 1 ||
        !document.root()->children.empty())
        return {};
    return document.root()->attributes;
}

std::optional<LanguageTextDeclaration> ReadLanguageTextDeclaration(const MarkupElement& element) {
    std::optional<int> id;
    LanguageTextDeclaration text;
    ForEachAttribute(element, [&](std::wstring_view name, const std::wstring& value) {
        if (Is(name, L"id")) {
            id = ParseInteger(value);
        } else if (Is(name, L"value")) {
            text.value = value;
        }
    });
    if (!id) return std::nullopt;
    text.id = *id;
    return text;
}

}  // namespace Skin
