#include "skin/progress.h"

#include <algorithm>

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CProgress::GetClass() const { return L"Progress"; }

void CProgress::SetValue(int value) {
    value = std::clamp(value, min_, std::max(min_, max_));
    if (value == value_) return;
    value_ = value;
    Invalidate();
}

void CProgress::SetMinValue(int value) {
    min_ = value;
    SetValue(value_);
    Invalidate();
}

void CProgress::SetMaxValue(int value) {
    max_ = value;
    SetValue(value_);
    Invalidate();
}

void CProgress::SetForeImage(std::wstring_view image) {
    foreImage_.Set(image);
    Invalidate();
}

void CProgress::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"foreimage") {
        SetForeImage(value);
    } else if (name == L"min") {
        SetMinValue(ParseInteger(value));
    } else if (name == L"max") {
        SetMaxValue(ParseInteger(value));
    } else if (name == L"value") {
        SetValue(ParseInteger(value));
    } else if (name == L"hor") {
        horizontal_ = ParseBool(value);
    } else {
        CLabel::SetAttribute(name, value);
    }
}

void CProgress::PaintStatusImage(Canvas& canvas) {
    if (max_ <= min_ || value_ <= min_ || foreImage_.empty()) return;
    const IntRect pos = GetPos();
    const long long span = max_ - min_;
    const long long done = value_ - min_;
    // The fore image is drawn into the filled part only, so that its nine
    // grid keeps the rounded ends at the fill's edge.
    IntRect filled = pos;
    if (horizontal_) {
        filled.right = pos.left + static_cast<int>(Width(pos) * done / span);
    } else {
        filled.top = pos.bottom - static_cast<int>(Height(pos) * done / span);
    }
    if (IsEmptyArea(filled)) return;
    DrawImageSlot(canvas, foreImage_, filled);
}

}  // namespace Skin
