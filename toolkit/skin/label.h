#pragma once

#include "draw/text_layout.h"
#include "skin/control.h"

namespace Skin {

// Text in a font and colour, aligned inside the control less its text
// padding; single line (vertically centred) unless multiline.
class CLabel : public CControl {
public:
    const wchar_t* GetClass() const override;

    int GetFont() const { return font_; }
    void SetFont(int id);
    uint32_t GetTextColor() const { return textColor_; }
    void SetTextColor(uint32_t color);
    uint32_t GetDisabledTextColor() const { return disabledTextColor_; }
    unsigned GetTextStyle() const { return textStyle_; }
    const IntRect& GetTextPadding() const { return textPadding_; }
    bool IsMultiLine() const { return (textStyle_ & kTextWordBreak) != 0; }
    void SetTextStyle(unsigned style) { textStyle_ = style; }

    // One line: the text's width plus the left and right text padding. A
    // multi-line label takes a share of the space left like a flexible one.
    int NaturalWidth(int availableWidth) override;
    // One line: the font's character height plus 8 plus the top and bottom
    // text padding; multi-line: the text wrapped at the width, plus padding.
    int NaturalHeight(int width) override;

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void PaintText(Canvas& canvas) override;
    // The colour the text is drawn in now (the state colours of buttons).
    virtual uint32_t CurrentTextColor() const;
    Font* ResolveFont() const;

private:
    int font_ = -1;
    uint32_t textColor_ = 0;
    uint32_t disabledTextColor_ = 0;
    unsigned textStyle_ = kTextSingleLine | kTextVCenter | kTextLeft;
    IntRect textPadding_;
};

}  // namespace Skin
