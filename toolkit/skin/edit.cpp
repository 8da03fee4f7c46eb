#include "skin/edit.h"

#include "platform/clipboard.h"
#include "skin/window_manager.h"

namespace Skin {
namespace {

constexpr uint32_t kSelectionColor = 0xFFB5D5FF;

bool IsControlCharacter(wchar_t ch) { return ch < 0x20 || ch == 0x7F; }

bool IsKeyDown(platform::WPARAM virtualKey) { return platform::GetKeyState(virtualKey) < 0; }

}  // namespace

const wchar_t* CEdit::GetClass() const { return L"Edit"; }

void CEdit::SetText(std::wstring_view text) {
    CLabel::SetText(text.substr(0, static_cast<size_t>(maxChar_)));
    caret_ = anchor_ = GetText().size();
}

void CEdit::SetSelection(size_t anchor, size_t caret) {
    anchor_ = std::min(anchor, GetText().size());
    caret_ = std::min(caret, GetText().size());
    Invalidate();
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
    caret_ = std::min(caret_, GetText().size());
    anchor_ = std::min(anchor_, GetText().size());
    switch (event.type) {
        case ControlEventType::kSetFocus:
        case ControlEventType::kKillFocus:
            selecting_ = false;
            Invalidate();
            return;
        case ControlEventType::kChar:
            if (!readOnly_ && !IsControlCharacter(event.ch)) {
                ReplaceSelection(std::wstring_view(&event.ch, 1));
            }
            return;
        case ControlEventType::kKeyDown:
            OnKeyDown(event.key);
            Invalidate();
            return;
        case ControlEventType::kButtonDown:
            caret_ = anchor_ = CharacterAt(event.x);
            selecting_ = true;
            Invalidate();
            return;
        case ControlEventType::kMouseMove:
            if (selecting_) {
                caret_ = CharacterAt(event.x);
                Invalidate();
            }
            return;
        case ControlEventType::kButtonUp:
            selecting_ = false;
            return;
        default:
            CLabel::DoEvent(event);
            return;
    }
}

void CEdit::OnKeyDown(platform::WPARAM key) {
    if (IsKeyDown(platform::VK_CONTROL) && key >= 'A' && key <= 'Z') {
        OnControlKey(key);
        return;
    }
    const bool extend = IsKeyDown(platform::VK_SHIFT);
    const bool selected = anchor_ != caret_;
    const size_t size = GetText().size();
    if (key == platform::VK_LEFT) {
        // Without Shift an arrow first drops the selection at its near end.
        MoveCaret(selected && !extend ? GetSelectionStart() : caret_ - (caret_ > 0 ? 1 : 0),
                  extend);
    } else if (key == platform::VK_RIGHT) {
        MoveCaret(selected && !extend ? GetSelectionEnd() : caret_ + (caret_ < size ? 1 : 0),
                  extend);
    } else if (key == platform::VK_HOME) {
        MoveCaret(0, extend);
    } else if (key == platform::VK_END) {
        MoveCaret(size, extend);
    } else if (!readOnly_ && key == platform::VK_BACK) {
        if (!selected && caret_ > 0) anchor_ = caret_ - 1;
        ReplaceSelection({});
    } else if (!readOnly_ && key == platform::VK_DELETE) {
        if (!selected && caret_ < size) anchor_ = caret_ + 1;
        ReplaceSelection({});
    } else if (key == platform::VK_RETURN) {
        GetManager()->SendNotify(this, L"return");
    }
}

void CEdit::OnControlKey(platform::WPARAM key) {
    if (key == 'A') {
        anchor_ = 0;
        caret_ = GetText().size();
    } else if (key == 'C') {
        CopySelection();
    } else if (key == 'X' && !readOnly_ && anchor_ != caret_) {
        CopySelection();
        ReplaceSelection({});
    } else if (key == 'V' && !readOnly_) {
        const std::optional<std::wstring> clipboard = platform::GetClipboardText();
        if (!clipboard) return;
        // A path field takes one line; tabs and other control characters are
        // not typed either.
        std::wstring line = clipboard->substr(0, clipboard->find_first_of(L"\r\n"));
        std::erase_if(line, IsControlCharacter);
        ReplaceSelection(line);
    }
}

void CEdit::MoveCaret(size_t to, bool extend) {
    caret_ = to;
    if (!extend) anchor_ = caret_;
}

void CEdit::ReplaceSelection(std::wstring_view text) {
    const size_t start = GetSelectionStart();
    const size_t end = GetSelectionEnd();
    const size_t kept = GetText().size() - (end - start);
    const size_t limit = maxChar_ > 0 ? static_cast<size_t>(maxChar_) : 0;
    const std::wstring_view inserted = text.substr(0, limit > kept ? limit - kept : 0);
    if (inserted.empty() && start == end) return;
    std::wstring updated = GetText();
    updated.replace(start, end - start, inserted);
    CLabel::SetText(updated);
    caret_ = anchor_ = start + inserted.size();
    GetManager()->SendNotify(this, L"textchanged");
}

void CEdit::CopySelection() const {
    if (anchor_ == caret_) return;
    const size_t start = GetSelectionStart();
    platform::SetClipboardText(GetText().substr(start, GetSelectionEnd() - start));
}

size_t CEdit::CharacterAt(int x) {
    Font* font = ResolveFont();
    const std::wstring_view text = GetText();
    if (font == nullptr) return text.size();
    // The boundary nearest to the pointer: past a character's middle is after it.
    const int target = x - TextArea().left + scroll_;
    int before = 0;
    for (size_t i = 1; i <= text.size(); ++i) {
        const int after = font->MeasureWidth(text.substr(0, i));
        if (2 * target < before + after) return i - 1;
        before = after;
    }
    return text.size();
}

IntRect CEdit::TextArea() const { return Deflate(GetPos(), GetTextPadding()); }

void CEdit::ScrollToCaret(Font& font) {
    const std::wstring_view text = GetText();
    // One pixel of the width is the caret's when it stands after the last character.
    const int room = std::max(0, Width(TextArea()) - 1);
    const int caretX = font.MeasureWidth(text.substr(0, caret_));
    if (caretX - scroll_ > room) scroll_ = caretX - room;
    if (caretX < scroll_) scroll_ = caretX;
    scroll_ = std::clamp(scroll_, 0, std::max(0, font.MeasureWidth(text) - room));
}

void CEdit::PaintText(Canvas& canvas) {
    Font* font = ResolveFont();
    if (font == nullptr) return;
    ScrollToCaret(*font);
    const IntRect area = TextArea();
    const Canvas::ClipScope clip(canvas, area);
    const std::wstring_view text = GetText();
    const int top = area.top + (Height(area) - font->height()) / 2;
    const int bottom = top + font->height();
    const auto xAt = [&](size_t index) {
        return area.left - scroll_ + font->MeasureWidth(text.substr(0, index));
    };
    const bool focused = IsFocused();
    if (focused && anchor_ != caret_) {
        canvas.FillRect({xAt(GetSelectionStart()), top, xAt(GetSelectionEnd()), bottom},
                        kSelectionColor);
    }
    if (!text.empty()) {
        DrawText(canvas, *font, text, {area.left - scroll_, area.top, area.right, area.bottom},
                 CurrentTextColor(), GetTextStyle());
    }
    if (focused) {
        // The caret: a one-pixel bar as tall as a line.
        const int x = xAt(caret_);
        canvas.FillRect({x, top, x + 1, bottom}, CurrentTextColor());
    }
}

}  // namespace Skin
