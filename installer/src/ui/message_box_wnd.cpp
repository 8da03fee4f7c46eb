#include "ui/message_box_wnd.h"

#include "skin/control.h"

CMessageBoxWnd::CMessageBoxWnd(Skin::SkinSource source) : CSkinFrame(std::move(source)) {}

void CMessageBoxWnd::OnInitWindow() {
    CSkinFrame::OnInitWindow();
    Skin::WindowManager& controls = manager();
    okButton_ = controls.FindControl(L"okBtn");
    cancelButton_ = controls.FindControl(L"cancelBtn");
    textLabel_ = controls.FindControl(L"textLbl");
    captionLabel_ = controls.FindControl(L"captionLbl");
}

void CMessageBoxWnd::SetText(const wchar_t* text) {
    if (textLabel_ != nullptr && text != nullptr) textLabel_->SetText(text);
}

void CMessageBoxWnd::SetCaption(const wchar_t* caption) {
    if (captionLabel_ != nullptr && caption != nullptr) captionLabel_->SetText(caption);
}

void CMessageBoxWnd::OnClick(Skin::Notification& notification) {
    if (notification.sender != nullptr && notification.sender == okButton_) {
        result_ = 0;
        Close(1);
    } else if (notification.sender != nullptr && notification.sender == cancelButton_) {
        result_ = 1;
        Close(1);
    } else {
        CSkinFrame::OnClick(notification);
        result_ = 2;
    }
}
