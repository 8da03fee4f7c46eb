#include "markup/image_description.h"

#include <algorithm>

namespace Skin {
namespace {

bool IsSpace(wchar_t c) { return c <= L' '; }

void SkipSpace(std::wstring_view& text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
}

// Takes "key='value'" off the front of text; false when text does not start so.
bool TakeItem(std::wstring_view& text, std::wstring_view& key, std::wstring_view& value) {
    size_t keyEnd = 0;
    while (keyEnd < text.size() && text[keyEnd] != L'=' && !IsSpace(text[keyEnd])) ++keyEnd;
    if (keyEnd == 0) return false;
    std::wstring_view rest = text.substr(keyEnd);
    SkipSpace(rest);
    if (rest.empty() || rest.front() != L'=') return false;
    rest.remove_prefix(1);
    SkipSpace(rest);
    if (rest.empty() || rest.front() != L'\'') return false;
    rest.remove_prefix(1);
    const size_t valueEnd = rest.find(L'\'');
    if (valueEnd == std::wstring_view::npos) return false;
    key = text.substr(0, keyEnd);
    value = rest.substr(0, valueEnd);
    text = rest.substr(valueEnd + 1);
    return true;
}

void ApplyItem(ImageDescription& image, std::wstring_view key, std::wstring_view value) {
    if (key == L"file") {
        image.file = value;
    } else if (key == L"res") {
        image.res = value;
    } else if (key == L"restype") {
        image.restype = value;
    } else if (key == L"color") {
        image.color = ParseColor(value);
    } else if (key == L"dest") {
        image.dest = ParseIntRect(value);
    } else if (key == L"source") {
        image.source = ParseIntRect(value);
    } else if (key == L"corner" || key == L"scale9") {
        image.corner = ParseIntRect(value);
    } else if (key == L"mask") {
        image.mask = ParseColor(value);
    } else if (key == L"fade") {
        image.fade = static_cast<uint8_t>(std::clamp(ParseInteger(value), 0, 255));
    } else if (key == L"hole") {
        image.hole = ParseBool(value);
    } else if (key == L"xtiled") {
        image.xtiled = ParseBool(value);
    } else if (key == L"ytiled") {
        image.ytiled = ParseBool(value);
    } else if (key == L"hsl") {
        image.hsl = ParseBool(value);
    }
}

}  // namespace

ImageDescription ParseImageDescription(std::wstring_view value) {
    ImageDescription image;
    if (value.find(L'=') == std::wstring_view::npos) {
        image.file = value;
        return image;
    }
    std::wstring_view key;
    std::wstring_view itemValue;
    for (SkipSpace(value); TakeItem(value, key, itemValue); SkipSpace(value)) {
        ApplyItem(image, key, itemValue);
    }
    return image;
}

}  // namespace Skin
