#include "skin/tab_layout.h"

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CTabLayout::GetClass() const { return L"TabLayout"; }

bool CTabLayout::Add(std::unique_ptr<CControl> child) {
    if (child == nullptr) return false;
    CControl* added = child.get();
    if (!CContainer::Add(std::move(child))) return false;
    if (current_ == -1 && added->IsVisible()) {
        current_ = GetItemIndex(added);
    } else {
        added->SetVisible(false);
    }
    return true;
}

bool CTabLayout::SelectItem(int index, bool triggerEvent) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == current_) return true;
    const int old = current_;
    current_ = index;
    for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == index);
    if (WindowManager* manager = GetManager()) {
        manager->SetFocus(GetItemAt(index));
        if (triggerEvent) {
            manager->SendNotify(this, L"tabselect", static_cast<platform::WPARAM>(index),
                                static_cast<platform::LPARAM>(old));
        }
    }
    NeedParentUpdate();
    return true;
}

void CTabLayout::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"selectedid") {
        SelectItem(ParseInteger(value), false);
    } else {
        CContainer::SetAttribute(name, value);
    }
}

}  // namespace Skin
