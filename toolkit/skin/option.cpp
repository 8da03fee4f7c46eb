#include "skin/option.h"

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* COption::GetClass() const { return L"Option"; }

void COption::Selected(bool selected, bool triggerEvent) {
    if (selected_ == selected) return;
    selected_ = selected;
    WindowManager* manager = GetManager();
    if (selected_ && !group_.empty() && manager != nullptr && manager->Root() != nullptr) {
        manager->Root()->ForEach([this](CControl& control) {
            auto* other = dynamic_cast<COption*>(&control);
            if (other != nullptr && other != this && other->group_ == group_) {
                other->Selected(false, false);
            }
        });
    }
    if (triggerEvent && manager != nullptr) manager->SendNotify(this, L"selectchanged");
    Invalidate();
}

void COption::Activate() {
    if (!IsEnabled()) return;
    CButton::Activate();
    if (group_.empty()) {
        Selected(!selected_);
    } else {
        Selected(true);
    }
}

void COption::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"selected") {
        Selected(ParseBool(value), false);
    } else if (name == L"group") {
        group_ = value;
    } else if (name == L"selectedimage") {
        selectedImage_.Set(value);
    } else if (name == L"selectedtextcolor") {
        selectedTextColor_ = ParseColor(value);
    } else {
        CButton::SetAttribute(name, value);
    }
}

void COption::PaintStatusImage(Canvas& canvas) {
    if (selected_ && DrawImageSlot(canvas, selectedImage_)) return;
    CButton::PaintStatusImage(canvas);
}

uint32_t COption::CurrentTextColor() const {
    if (selected_ && IsEnabled() && selectedTextColor_ != 0) return selectedTextColor_;
    return CButton::CurrentTextColor();
}

}  // namespace Skin
