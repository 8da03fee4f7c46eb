#pragma once

#include "skin/label.h"

namespace Skin {

// One line of editable text with a caret. Typing stops at the maximum
// length (255 characters unless the "maxchar" attribute says otherwise).
class CEdit : public CLabel {
public:
    const wchar_t* GetClass() const override;
    bool IsFocusable() const override { return true; }

    void SetText(std::wstring_view text) override;
    int GetMaxChar() const { return maxChar_; }
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoEvent(ControlEvent& event) override;

protected:
    void PaintText(Canvas& canvas) override;

private:
    int maxChar_ = 255;
    bool readOnly_ = false;
    size_t caret_ = 0;
};

}  // namespace Skin
