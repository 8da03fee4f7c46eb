#include "skin/button.h"

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CButton::GetClass() const { return L"Button"; }

void CButton::Activate() {
    if (IsEnabled() && GetManager() != nullptr) GetManager()->SendNotify(this, L"click");
}

void CButton::SetNormalImage(std::wstring_view image) {
    normalImage_.Set(image);
    Invalidate();
}

void CButton::SetHotImage(std::wstring_view image) {
    hotImage_.Set(image);
    Invalidate();
}

void CButton::SetPushedImage(std::wstring_view image) {
    pushedImage_.Set(image);
    Invalidate();
}

void CButton::SetDisabledImage(std::wstring_view image) {
    disabledImage_.Set(image);
    Invalidate();
}

void CButton::SetEnabled(bool enabled) {
    if (!enabled) hot_ = pushed_ = pressedIn_ = false;
    CLabel::SetEnabled(enabled);
}

void CButton::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"normalimage") {
        SetNormalImage(value);
    } else if (name == L"hotimage") {
        SetHotImage(value);
    } else if (name == L"pushedimage") {
        SetPushedImage(value);
    } else if (name == L"disabledimage") {
        SetDisabledImage(value);
    } else if (name == L"hotbkcolor") {
        hotBkColor_ = ParseColor(value);
    } else if (name == L"pushedbkcolor") {
        pushedBkColor_ = ParseColor(value);
    } else if (name == L"hottextcolor") {
        hotTextColor_ = ParseColor(value);
    } else if (name == L"pushedtextcolor") {
        pushedTextColor_ = ParseColor(value);
    } else {
        CLabel::SetAttribute(name, value);
    }
}

void CButton::DoEvent(ControlEvent& event) {
    if (!IsEnabled()) {
        CLabel::DoEvent(event);
        return;
    }
    switch (event.type) {
        case ControlEventType::kMouseEnter:
            hot_ = true;
            Invalidate();
            break;
        case ControlEventType::kMouseLeave:
            hot_ = false;
            Invalidate();
            break;
        case ControlEventType::kButtonDown:
            pushed_ = pressedIn_ = true;
            Invalidate();
            break;
        case ControlEventType::kMouseMove:
            if (pushed_) {
                const bool inside = Contains(GetPos(), event.x, event.y);
                if (inside != pressedIn_) {
                    pressedIn_ = inside;
                    Invalidate();
                }
            }
            break;
        case ControlEventType::kButtonUp: {
            const bool click = pushed_ && Contains(GetPos(), event.x, event.y);
            pushed_ = pressedIn_ = false;
            Invalidate();
            if (click) Activate();
            break;
        }
        case ControlEventType::kKeyDown:
            if (event.key == platform::VK_SPACE || event.key == platform::VK_RETURN) Activate();
            break;
        default:
            CLabel::DoEvent(event);
            break;
    }
}

void CButton::PaintBkColor(Canvas& canvas) {
    if (pressedIn_ && pushedBkColor_ != 0) {
        canvas.FillRect(GetPos(), pushedBkColor_);
    } else if (hot_ && hotBkColor_ != 0) {
        canvas.FillRect(GetPos(), hotBkColor_);
    } else {
        CLabel::PaintBkColor(canvas);
    }
}

void CButton::PaintStatusImage(Canvas& canvas) {
    ImageSlot* state = &normalImage_;
    if (!IsEnabled()) {
        state = &disabledImage_;
    } else if (pressedIn_) {
        state = &pushedImage_;
    } else if (hot_) {
        state = &hotImage_;
    }
    if (state != &normalImage_ && DrawImageSlot(canvas, *state)) return;
    DrawImageSlot(canvas, normalImage_);
}

uint32_t CButton::CurrentTextColor() const {
    if (IsEnabled()) {
        if (pressedIn_ && pushedTextColor_ != 0) return pushedTextColor_;
        if (hot_ && hotTextColor_ != 0) return hotTextColor_;
    }
    return CLabel::CurrentTextColor();
}

}  // namespace Skin
