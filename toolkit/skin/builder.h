#pragma once

#include <memory>
#include <string_view>

#include "markup/markup_document.h"
#include "skin/control.h"

namespace Skin {

class WindowManager;

// Asked for the tags the toolkit does not know (the program's own controls).
class IBuilderCallback {
public:
    virtual ~IBuilderCallback() = default;
    virtual std::unique_ptr<CControl> CreateCustomControl(std::wstring_view tagName) = 0;
};

// The control for one of the toolkit's tags, or null for any other tag.
std::unique_ptr<CControl> CreateControlForTag(std::wstring_view tagName);

// Turns a parsed skin file into a control tree: the Font, Image, Default and
// MultiLanguage children of the Window element go to the manager first, then
// the Window's attributes, then the first control child with its subtree.
// Unknown tags (when the callback has none either) are skipped with their
// subtree. Null when the document has no root control.
std::unique_ptr<CControl> BuildSkin(const MarkupDocument& document, IBuilderCallback* callback,
                                    WindowManager& manager);

}  // namespace Skin
