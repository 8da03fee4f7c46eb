#include "skin/container.h"

#include "skin/window_manager.h"

namespace Skin {

const wchar_t* CContainer::GetClass() const { return L"Container"; }

bool CContainer::Add(std::unique_ptr<CControl> child) {
    if (child == nullptr) return false;
    CControl* added = child.get();
    children_.push_back(std::move(child));
    added->SetManager(GetManager(), this);
    NeedParentUpdate();
    return true;
}

bool CContainer::Remove(CControl* child) {
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() == child) {
            children_.erase(it);
            NeedParentUpdate();
            return true;
        }
    }
    return false;
}

CControl* CContainer::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return children_[static_cast<size_t>(index)].get();
}

int CContainer::GetItemIndex(const CControl* child) const {
    for (size_t i = 0; i < children_.size(); ++i) {
        if (children_[i].get() == child) return static_cast<int>(i);
    }
    return -1;
}

void CContainer::SetInset(const IntRect& inset) {
    inset_ = inset;
    NeedParentUpdate();
}

void CContainer::SetChildPadding(int padding) {
    childPadding_ = padding;
    NeedParentUpdate();
}

void CContainer::SetPos(const IntRect& rect) {
    CControl::SetPos(rect);
    const IntRect inner = InnerRect();
    for (const auto& child : children_) {
        if (child->IsVisible()) child->SetPos(Deflate(inner, child->GetPadding()));
    }
}

void CContainer::SetManager(WindowManager* manager, CContainer* parent) {
    CControl::SetManager(manager, parent);
    for (const auto& child : children_) child->SetManager(manager, this);
}

void CContainer::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"inset") {
        SetInset(ParseIntRect(value));
    } else if (name == L"childpadding") {
        SetChildPadding(ParseInteger(value));
    } else {
        CControl::SetAttribute(name, value);
    }
}

CControl* CContainer::FindControlAt(int x, int y) {
    if (!IsVisible() || !Contains(GetPos(), x, y)) return nullptr;
    // Later children are drawn on top, so they are hit first.
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (CControl* hit = (*it)->FindControlAt(x, y)) return hit;
    }
    return this;
}

void CContainer::ForEach(const std::function<void(CControl&)>& visit) {
    visit(*this);
    for (const auto& child : children_) child->ForEach(visit);
}

void CContainer::DoPaint(Canvas& canvas, const IntRect& dirty) {
    const IntRect area = Intersect(GetPos(), dirty);
    if (IsEmptyArea(area)) return;
    CControl::DoPaint(canvas, dirty);
    Canvas::ClipScope clip(canvas, GetPos());
    for (const auto& child : children_) {
        if (child->IsVisible()) child->DoPaint(canvas, area);
    }
}

}  // namespace Skin
