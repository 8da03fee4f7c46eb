#pragma once

#include "skin/container.h"

namespace Skin {

// A closed list: the children are the items and the current one's text is
// shown in the control. Up and Down while focused move the selection.
class CCombo : public CContainer {
public:
    const wchar_t* GetClass() const override;
    bool IsFocusable() const override { return true; }

    bool Add(std::unique_ptr<CControl> item) override;
    int GetCurSel() const { return current_; }
    // False for an index out of range; with triggerEvent a change sends
    // "itemselect" (new index, old index).
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true);

    void SetPos(const IntRect& rect) override;
    CControl* FindControlAt(int x, int y) override;
    void DoPaint(Canvas& canvas, const IntRect& dirty) override;
    void DoEvent(ControlEvent& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    int current_ = -1;
    int font_ = -1;
    uint32_t textColor_ = 0;
    IntRect textPadding_;
};

}  // namespace Skin
