#pragma once

#include <memory>
#include <vector>

#include "skin/control.h"

namespace Skin {

// A control with ordered children that it owns, an inset and a padding
// between children. The plain container gives every child its whole inner
// rectangle; the layouts arrange them.
class CContainer : public CControl {
public:
    const wchar_t* GetClass() const override;

    // Takes the child; false (and the child is deleted) when refused.
    virtual bool Add(std::unique_ptr<CControl> child);
    bool Remove(CControl* child);
    int GetCount() const { return static_cast<int>(children_.size()); }
    CControl* GetItemAt(int index) const;
    int GetItemIndex(const CControl* child) const;

    const IntRect& GetInset() const { return inset_; }
    void SetInset(const IntRect& inset);
    int GetChildPadding() const { return childPadding_; }
    void SetChildPadding(int padding);

    void SetPos(const IntRect& rect) override;
    void SetManager(WindowManager* manager, CContainer* parent) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    CControl* FindControlAt(int x, int y) override;
    void ForEach(const std::function<void(CControl&)>& visit) override;
    void DoPaint(Canvas& canvas, const IntRect& dirty) override;

protected:
    IntRect InnerRect() const { return Deflate(GetPos(), inset_); }
    const std::vector<std::unique_ptr<CControl>>& children() const { return children_; }

private:
    std::vector<std::unique_ptr<CControl>> children_;
    IntRect inset_;
    int childPadding_ = 0;
};

}  // namespace Skin
