#include "skin/control.h"

#include "draw/image_drawing.h"
#include "skin/container.h"
#include "skin/window_manager.h"

namespace Skin {

void ImageSlot::Set(std::wstring_view text) {
    if (value == text) return;
    value = text;
    description = ParseImageDescription(text);
    bitmap.reset();
    loaded = false;
}

CControl::~CControl() { ReleaseFromManager(); }

void CControl::ReleaseFromManager() {
    if (manager_ != nullptr) manager_->ForgetControl(this);
}

const wchar_t* CControl::GetClass() const { return L"Control"; }

void CControl::SetText(std::wstring_view text) {
    if (text_ == text) return;
    text_ = text;
    Invalidate();
}

void CControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (!visible && manager_ != nullptr) {
        CControl* focus = manager_->GetFocus();
        for (CControl* c = focus; c != nullptr; c = c->GetParent()) {
            if (c == this) {
                manager_->SetFocus(nullptr);
                break;
            }
        }
    }
    NeedParentUpdate();
}

void CControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

bool CControl::IsFocused() const { return manager_ != nullptr && manager_->GetFocus() == this; }

void CControl::SetFocus() {
    if (manager_ != nullptr) manager_->SetFocus(this);
}

void CControl::SetFixedWidth(int width) {
    if (width < 0 || fixedWidth_ == width) return;
    fixedWidth_ = width;
    NeedParentUpdate();
}

void CControl::SetFixedHeight(int height) {
    if (height < 0 || fixedHeight_ == height) return;
    fixedHeight_ = height;
    NeedParentUpdate();
}

void CControl::SetPadding(const IntRect& padding) {
    padding_ = padding;
    NeedParentUpdate();
}

void CControl::SetPos(const IntRect& rect) {
    pos_ = rect;
    if (pos_.right < pos_.left) pos_.right = pos_.left;
    if (pos_.bottom < pos_.top) pos_.bottom = pos_.top;
}

int CControl::NaturalWidth(int /*availableWidth*/) { return 0; }

int CControl::NaturalHeight(int /*width*/) { return 0; }

void CControl::SetBkColor(uint32_t color) {
    bkColor_ = color;
    Invalidate();
}

void CControl::SetBkImage(std::wstring_view image) {
    bkImage_.Set(image);
    Invalidate();
}

void CControl::SetManager(WindowManager* manager, CContainer* parent) {
    manager_ = manager;
    parent_ = parent;
    if (manager_ != nullptr) manager_->RegisterControlName(*this);
}

void CControl::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"name") {
        SetName(value);
        if (manager_ != nullptr) manager_->RegisterControlName(*this);
    } else if (name == L"text") {
        SetText(value);
    } else if (name == L"tooltip") {
        SetToolTip(value);
    } else if (name == L"userdata") {
        SetUserData(value);
    } else if (name == L"width") {
        SetFixedWidth(ParseInteger(value));
    } else if (name == L"height") {
        SetFixedHeight(ParseInteger(value));
    } else if (name == L"pos") {
        const IntRect pos = ParseIntRect(value);
        SetFixedWidth(pos.right - pos.left);
        SetFixedHeight(pos.bottom - pos.top);
    } else if (name == L"minwidth") {
        minWidth_ = ParseInteger(value);
    } else if (name == L"maxwidth") {
        maxWidth_ = ParseInteger(value);
    } else if (name == L"minheight") {
        minHeight_ = ParseInteger(value);
    } else if (name == L"maxheight") {
        maxHeight_ = ParseInteger(value);
    } else if (name == L"padding") {
        SetPadding(ParseIntRect(value));
    } else if (name == L"visible") {
        SetVisible(ParseBool(value));
    } else if (name == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == L"bkcolor") {
        SetBkColor(ParseColor(value));
    } else if (name == L"bkimage") {
        SetBkImage(value);
    } else if (name == L"bordersize") {
        borderSize_ = ParseInteger(value);
    } else if (name == L"bordercolor") {
        borderColor_ = ParseColor(value);
    } else if (name == L"borderround") {
        borderRound_ = ParseIntSize(value);
    } else {
        customAttributes_[std::wstring(name)] = value;
    }
}

const std::wstring* CControl::GetCustomAttribute(std::wstring_view name) const {
    const auto found = customAttributes_.find(name);
    return found == customAttributes_.end() ? nullptr : &found->second;
}

CControl* CControl::FindControlAt(int x, int y) {
    return visible_ && Contains(pos_, x, y) ? this : nullptr;
}

void CControl::ForEach(const std::function<void(CControl&)>& visit) { visit(*this); }

void CControl::DoPaint(Canvas& canvas, const IntRect& dirty) {
    if (IsEmptyArea(Intersect(pos_, dirty))) return;
    Canvas::ClipScope clip(canvas, pos_);
    PaintBkColor(canvas);
    PaintBkImage(canvas);
    PaintStatusImage(canvas);
    PaintText(canvas);
    PaintBorder(canvas);
}

void CControl::DoEvent(ControlEvent& event) {
    if (event.type == ControlEventType::kTimer && manager_ != nullptr) {
        manager_->SendNotify(this, L"timer", event.wParam, event.lParam);
    }
}

void CControl::Invalidate() {
    if (manager_ != nullptr && visible_) manager_->Invalidate();
}

void CControl::NeedParentUpdate() {
    if (manager_ != nullptr) manager_->NeedUpdate();
}

void CControl::PaintBkColor(Canvas& canvas) {
    if (bkColor_ != 0) canvas.FillRect(pos_, bkColor_);
}

void CControl::PaintBkImage(Canvas& canvas) { DrawImageSlot(canvas, bkImage_); }

void CControl::PaintStatusImage(Canvas& /*canvas*/) {}

void CControl::PaintText(Canvas& /*canvas*/) {}

void CControl::PaintBorder(Canvas& canvas) {
    if (borderSize_ <= 0 || borderColor_ == 0) return;
    if (borderRound_.cx > 0 || borderRound_.cy > 0) {
        canvas.DrawRoundBorder(pos_, borderSize_, borderRound_.cx, borderRound_.cy, borderColor_);
    } else {
        canvas.DrawBorder(pos_, borderSize_, borderColor_);
    }
}

bool CControl::DrawImageSlot(Canvas& canvas, ImageSlot& slot, const IntRect& area) {
    if (slot.empty()) return false;
    const ImageDescription& image = slot.description;
    if (image.color != 0) {
        DrawImage(canvas, nullptr, area, image);
        return true;
    }
    if (!slot.loaded) {
        slot.loaded = true;
        if (manager_ != nullptr && !image.file.empty()) {
            slot.bitmap = manager_->GetImage(image.file, image.mask);
        }
    }
    if (slot.bitmap == nullptr) return false;
    DrawImage(canvas, slot.bitmap.get(), area, image);
    return true;
}

}  // namespace Skin
