#pragma once

#include "skin/label.h"

namespace Skin {

// A label that can be clicked: "click" when the left button is released over
// it after being pressed there, or on Space or Enter while it has focus.
// Draws a state image (disabled, pushed, hot, else normal, each falling back
// to the normal image) and state colours.
class CButton : public CLabel {
public:
    // A button's text is centred unless its align says otherwise.
    CButton() { SetTextStyle(kTextSingleLine | kTextVCenter | kTextCenter); }

    const wchar_t* GetClass() const override;
    bool IsFocusable() const override { return true; }

    bool IsHot() const { return hot_; }
    bool IsPushed() const { return pushed_; }
    // What a click does; buttons send "click".
    virtual void Activate();

    void SetNormalImage(std::wstring_view image);
    void SetHotImage(std::wstring_view image);
    void SetPushedImage(std::wstring_view image);
    void SetDisabledImage(std::wstring_view image);

    void SetEnabled(bool enabled) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoEvent(ControlEvent& event) override;

protected:
    void PaintBkColor(Canvas& canvas) override;
    // The image of the current state, or the normal image when that draws
    // nothing.
    void PaintStatusImage(Canvas& canvas) override;
    uint32_t CurrentTextColor() const override;

private:
    bool hot_ = false;
    bool pushed_ = false;     // the left button went down here and is held
    bool pressedIn_ = false;  // ...and the mouse is still over the control
    ImageSlot normalImage_;
    ImageSlot hotImage_;
    ImageSlot pushedImage_;
    ImageSlot disabledImage_;
    uint32_t hotBkColor_ = 0;
    uint32_t pushedBkColor_ = 0;
    uint32_t hotTextColor_ = 0;
    uint32_t pushedTextColor_ = 0;
};

}  // namespace Skin
