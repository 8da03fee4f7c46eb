#include "skin/skin_loader.h"

#include "skin/skin_resources.h"

namespace Skin {

bool LoadSkinDocument(const SkinSource& source, MarkupDocument& document, std::wstring& error) {
    std::string bytes;
    if (source.resourceKind != kSkinFromFolder) {
        error = L"Error opening zip file";
        return false;
    }
    if (!ReadFileBytes(GetResourceFolder() + source.skinFile, bytes)) {
        error = L"Error opening file";
        return false;
    }
    if (bytes.empty()) {
        error = L"File is empty";
        return false;
    }
    document = ParseMarkup(DecodeSkinText(bytes));
    if (!document.ok()) {
        error = document.error();
        return false;
    }
    return true;
}

}  // namespace Skin
