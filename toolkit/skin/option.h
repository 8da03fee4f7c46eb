#pragma once

#include "skin/button.h"

namespace Skin {

// A button with a selected state. Options of one named group exclude each
// other, and a selected option of a group stays selected when clicked.
class COption : public CButton {
public:
    const wchar_t* GetClass() const override;

    bool IsSelected() const { return selected_; }
    // Changes the selection; with triggerEvent a change sends
    // "selectchanged". Setting the current state again sends nothing.
    virtual void Selected(bool selected, bool triggerEvent = true);
    const std::wstring& GetGroup() const { return group_; }

    void Activate() override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void PaintStatusImage(Canvas& canvas) override;
    uint32_t CurrentTextColor() const override;

private:
    bool selected_ = false;
    std::wstring group_;
    ImageSlot selectedImage_;
    uint32_t selectedTextColor_ = 0;
};

}  // namespace Skin
