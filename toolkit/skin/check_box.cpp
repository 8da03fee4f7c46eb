#include "skin/check_box.h"

namespace Skin {

const wchar_t* CCheckBox::GetClass() const { return L"CheckBox"; }

void CCheckBox::Activate() {
    if (!IsEnabled()) return;
    CButton::Activate();
    Selected(!IsSelected());
}

}  // namespace Skin
