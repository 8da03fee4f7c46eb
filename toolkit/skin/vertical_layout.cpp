#include "skin/vertical_layout.h"

#include "skin/line_layout.h"

namespace Skin {

const wchar_t* CVerticalLayout::GetClass() const { return L"VerticalLayout"; }

void CVerticalLayout::SetPos(const IntRect& rect) {
    CControl::SetPos(rect);
    LayOutLine(InnerRect(), GetChildPadding(), children(), LayoutAxis::kVertical);
}

}  // namespace Skin
