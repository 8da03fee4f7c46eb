#include "skin/horizontal_layout.h"

#include "skin/line_layout.h"

namespace Skin {

const wchar_t* CHorizontalLayout::GetClass() const { return L"HorizontalLayout"; }

void CHorizontalLayout::SetPos(const IntRect& rect) {
    CControl::SetPos(rect);
    LayOutLine(InnerRect(), GetChildPadding(), children(), LayoutAxis::kHorizontal);
}

}  // namespace Skin
