#pragma once

#include <algorithm>

#include "skin/label.h"

namespace Skin {

// One line of editable text with a caret and a selection. Typing and pasting
// stop at the maximum length (255 characters unless the "maxchar" attribute
// says otherwise); a text wider than the field scrolls to keep the caret in
// view.
class CEdit : public CLabel {
public:
    const wchar_t* GetClass() const override;
    bool IsFocusable() const override { return true; }

    void SetText(std::wstring_view text) override;
    int GetMaxChar() const { return maxChar_; }
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // The caret sits before the character at this index; the selection runs
    // from the anchor to the caret.
    size_t GetCaret() const { return caret_; }
    size_t GetSelectionStart() const { return std::min(anchor_, caret_); }
    size_t GetSelectionEnd() const { return std::max(anchor_, caret_); }
    void SetSelection(size_t anchor, size_t caret);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoEvent(ControlEvent& event) override;

protected:
    void PaintText(Canvas& canvas) override;

private:
    void OnKeyDown(platform::WPARAM key);
    void OnControlKey(platform::WPARAM key);
    void MoveCaret(size_t to, bool extend);
    // Puts text in place of the selection, cut to the room maxchar leaves.
    void ReplaceSelection(std::wstring_view text);
    void CopySelection() const;
    size_t CharacterAt(int x);
    IntRect TextArea() const;
    void ScrollToCaret(Font& font);

    int maxChar_ = 255;
    bool readOnly_ = false;
    size_t caret_ = 0;
    size_t anchor_ = 0;
    bool selecting_ = false;
    int scroll_ = 0;  // pixels of text hidden left of the field
};

}  // namespace Skin
