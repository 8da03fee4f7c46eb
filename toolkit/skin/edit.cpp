#include "skin/edit.h"

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CEdit::GetClass() const { return L"Edit"; }

void CEdit::SetText(std::wstring_view text) {
    CLabel::SetText(text.substr(0, static_cast<size_t>(maxChar_)));
    caret_ = GetText().size();
}

void CEdit::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"maxchar") {
        maxChar_ = ParseInteger(value);
    } else if (name == L"readonly") {
        readOnly_ = ParseBool(value);
    } else {
        CLabel::SetAttribute(name, value);
    }
}

void CEdit::DoEvent(ControlEvent& event) {
    if (!IsEnabled()) {
        CLabel::DoEvent(event);
        return;
    }
    std::wstring text = GetText();
    caret_ = std::min(caret_, text.size());
    switch (event.type) {
        case ControlEventType::kSetFocus:
        case ControlEventType::kKillFocus:
            Invalidate();
            return;
        case ControlEventType::kChar:
            if (readOnly_ || event.ch < 0x20 || event.ch == 0x7F ||
                text.size() >= static_cast<size_t>(maxChar_)) {
                return;
            }
            text.insert(caret_, 1, event.ch);
            CLabel::SetText(text);
            ++caret_;
            GetManager()->SendNotify(this, L"textchanged");
            return;
        case ControlEventType::kKeyDown:
            if (event.key == platform::VK_LEFT && caret_ > 0) {
                --caret_;
            } else if (event.key == platform::VK_RIGHT && caret_ < text.size()) {
                ++caret_;
            } else if (event.key == platform::VK_HOME) {
                caret_ = 0;
            } else if (event.key == platform::VK_END) {
                caret_ = text.size();
            } else if (!readOnly_ && event.key == platform::VK_BACK && caret_ > 0) {
                text.erase(--caret_, 1);
                CLabel::SetText(text);
                GetManager()->SendNotify(this, L"textchanged");
            } else if (!readOnly_ && event.key == platform::VK_DELETE && caret_ < text.size()) {
                text.erase(caret_, 1);
                CLabel::SetText(text);
                GetManager()->SendNotify(this, L"textchanged");
            } else if (event.key == platform::VK_RETURN) {
                GetManager()->SendNotify(this, L"return");
            }
            Invalidate();
            return;
        default:
            CLabel::DoEvent(event);
            return;
    }
}

void CEdit::PaintText(Canvas& canvas) {
    CLabel::PaintText(canvas);
    if (!IsFocused()) return;
    Font* font = ResolveFont();
    if (font == nullptr) return;
    // The caret: a one-pixel bar after the text before it, as tall as a line.
    const IntRect area = Deflate(GetPos(), GetTextPadding());
    const int x = area.left + font->MeasureWidth(std::wstring_view(GetText()).substr(0, caret_));
    const int top = area.top + (Height(area) - font->height()) / 2;
    canvas.FillRect({x, top, x + 1, top + font->height()}, CurrentTextColor());
}

}  // namespace Skin
