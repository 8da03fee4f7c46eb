#pragma once

#include "skin/skin_frame.h"

namespace Skin {
class CControl;
}

// The program's small modal windows (message boxes and tip windows). The
// result tells which button closed the window: 0 okBtn, 1 cancelBtn or closed
// without a button, 2 any other control (the close button).
class CMessageBoxWnd : public Skin::CSkinFrame {
public:
    explicit CMessageBoxWnd(Skin::SkinSource source);

    int result() const { return result_; }
    // A missing label is skipped.
    void SetText(const wchar_t* text);
    void SetCaption(const wchar_t* caption);

protected:
    void OnInitWindow() override;
    void OnClick(Skin::Notification& notification) override;

private:
    int result_ = 1;
    Skin::CControl* okButton_ = nullptr;
    Skin::CControl* cancelButton_ = nullptr;
    Skin::CControl* textLabel_ = nullptr;
    Skin::CControl* captionLabel_ = nullptr;
};
