#include "skin/combo.h"

#include "draw/text_layout.h"
#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CCombo::GetClass() const { return L"Combo"; }

bool CCombo::Add(std::unique_ptr<CControl> item) {
    if (item == nullptr) return false;
    item->SetVisible(false);
    return CContainer::Add(std::move(item));
}

bool CCombo::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    if (index < 0 || index >= GetCount()) return false;
    if (takeFocus) SetFocus();
    if (index == current_) return true;
    const int old = current_;
    current_ = index;
    if (triggerEvent && GetManager() != nullptr) {
        GetManager()->SendNotify(this, L"itemselect", static_cast<platform::WPARAM>(index),
                                 static_cast<platform::LPARAM>(old));
    }
    Invalidate();
    return true;
}

// The items stay hidden inside the closed box.
void CCombo::SetPos(const IntRect& rect) { CControl::SetPos(rect); }

CControl* CCombo::FindControlAt(int x, int y) { return CControl::FindControlAt(x, y); }

void CCombo::DoPaint(Canvas& canvas, const IntRect& dirty) {
    CControl::DoPaint(canvas, dirty);
    CControl* item = GetItemAt(current_);
    Font* font = GetManager() != nullptr ? GetManager()->GetFont(font_) : nullptr;
    if (item == nullptr || font == nullptr) return;
    Canvas::ClipScope clip(canvas, GetPos());
    const uint32_t color = textColor_ != 0 ? textColor_ : GetManager()->DefaultTextColor();
    DrawText(canvas, *font, item->GetText(), Deflate(GetPos(), textPadding_), color,
             kTextSingleLine | kTextVCenter | kTextLeft | kTextEndEllipsis);
}

void CCombo::DoEvent(ControlEvent& event) {
    if (event.type == ControlEventType::kKeyDown && IsEnabled()) {
        if (event.key == platform::VK_UP) SelectItem(current_ - 1);
        if (event.key == platform::VK_DOWN) SelectItem(current_ + 1);
        return;
    }
    CContainer::DoEvent(event);
}

void CCombo::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"font") {
        font_ = ParseInteger(value);
    } else if (name == L"textcolor") {
        textColor_ = ParseColor(value);
    } else if (name == L"textpadding") {
        textPadding_ = ParseIntRect(value);
    } else if (name == L"selectedid") {
        SelectItem(ParseInteger(value), false, false);
    } else {
        CContainer::SetAttribute(name, value);
    }
}

}  // namespace Skin
