#pragma once

#include "skin/container.h"

namespace Skin {

// Pages on top of each other: every child gets the whole inner rectangle and
// only the current one is shown. The first child added becomes current.
class CTabLayout : public CContainer {
public:
    const wchar_t* GetClass() const override;

    bool Add(std::unique_ptr<CControl> child) override;
    int GetCurSel() const { return current_; }
    // False for an index out of range; true without any notification for the
    // current index; otherwise shows and focuses the new page and, when
    // triggerEvent, sends "tabselect" (new index, old index).
    bool SelectItem(int index, bool triggerEvent = true);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    int current_ = -1;
};

}  // namespace Skin
