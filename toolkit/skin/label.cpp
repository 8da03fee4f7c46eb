#include "skin/label.h"

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CLabel::GetClass() const { return L"Label"; }

void CLabel::SetFont(int id) {
    font_ = id;
    Invalidate();
}

void CLabel::SetTextColor(uint32_t color) {
    textColor_ = color;
    Invalidate();
}

Font* CLabel::ResolveFont() const {
    return GetManager() != nullptr ? GetManager()->GetFont(font_) : nullptr;
}

int CLabel::NaturalWidth(int /*availableWidth*/) {
    if (IsMultiLine()) return 0;
    Font* font = ResolveFont();
    if (font == nullptr) return 0;
    return font->MeasureWidth(GetText()) + textPadding_.left + textPadding_.right;
}

int CLabel::NaturalHeight(int width) {
    Font* font = ResolveFont();
    if (font == nullptr) return 0;
    const int vertical = textPadding_.top + textPadding_.bottom;
    if (!IsMultiLine()) return font->height() + 8 + vertical;
    const int textWidth = width - textPadding_.left - textPadding_.right;
    return MeasureText(*font, GetText(), textWidth, textStyle_).cy + vertical;
}

void CLabel::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"font") {
        SetFont(ParseInteger(value));
    } else if (name == L"textcolor") {
        SetTextColor(ParseColor(value));
    } else if (name == L"disabledtextcolor") {
        disabledTextColor_ = ParseColor(value);
    } else if (name == L"textpadding") {
        textPadding_ = ParseIntRect(value);
        NeedParentUpdate();
    } else if (name == L"align") {
        // Substring tests in this order, so later matches win.
        if (value.find(L"left") != std::wstring_view::npos) {
            textStyle_ = (textStyle_ & ~kTextHorizontalMask) | kTextLeft;
        }
        if (value.find(L"center") != std::wstring_view::npos) {
            textStyle_ = (textStyle_ & ~kTextHorizontalMask) | kTextCenter;
        }
        if (value.find(L"right") != std::wstring_view::npos) {
            textStyle_ = (textStyle_ & ~kTextHorizontalMask) | kTextRight;
        }
    } else if (name == L"valign") {
        if (value.find(L"top") != std::wstring_view::npos) {
            textStyle_ = (textStyle_ & ~kTextVerticalMask) | kTextTop;
        }
        if (value.find(L"vcenter") != std::wstring_view::npos) {
            textStyle_ = (textStyle_ & ~kTextVerticalMask) | kTextVCenter;
        }
        if (value.find(L"bottom") != std::wstring_view::npos) {
            textStyle_ = (textStyle_ & ~kTextVerticalMask) | kTextBottom;
        }
    } else if (name == L"multiline") {
        if (ParseBool(value)) {
            textStyle_ = (textStyle_ & ~kTextSingleLine) | kTextWordBreak;
        } else {
            textStyle_ = (textStyle_ & ~kTextWordBreak) | kTextSingleLine;
        }
        NeedParentUpdate();
    } else if (name == L"endellipsis") {
        textStyle_ =
            ParseBool(value) ? (textStyle_ | kTextEndEllipsis) : (textStyle_ & ~kTextEndEllipsis);
    } else {
        CControl::SetAttribute(name, value);
    }
}

uint32_t CLabel::CurrentTextColor() const {
    WindowManager* manager = GetManager();
    if (!IsEnabled()) {
        if (disabledTextColor_ != 0) return disabledTextColor_;
        return manager != nullptr ? manager->DisabledTextColor() : 0xFFA7A6AA;
    }
    if (textColor_ != 0) return textColor_;
    return manager != nullptr ? manager->DefaultTextColor() : 0xFF000000;
}

void CLabel::PaintText(Canvas& canvas) {
    if (GetText().empty()) return;
    Font* font = ResolveFont();
    if (font == nullptr) return;
    DrawText(canvas, *font, GetText(), Deflate(GetPos(), textPadding_), CurrentTextColor(),
             textStyle_);
}

}  // namespace Skin
