#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "draw/canvas.h"
#include "markup/image_description.h"
#include "skin/control_event.h"
#include "skin/notification.h"

namespace Skin {

class CContainer;
class WindowManager;

// An image attribute as written in the skin, parsed once, with the bitmap it
// names loaded on first paint (a name that fails is not tried again).
struct ImageSlot {
    std::wstring value;
    ImageDescription description;
    std::shared_ptr<const Bitmap> bitmap;
    bool loaded = false;

    void Set(std::wstring_view text);
    bool empty() const { return value.empty(); }
};

// The base of every control: a rectangle in its window with a background
// colour and image, a border, and the state the windows use (name, text,
// visibility, enabled state, focus, fixed size, user data).
class CControl {
public:
    CControl() = default;
    virtual ~CControl();
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    // A constant per class, compared by the program ("Control", "Button"...).
    virtual const wchar_t* GetClass() const;

    const std::wstring& GetName() const { return name_; }
    void SetName(std::wstring_view name) { name_ = name; }
    virtual const std::wstring& GetText() const { return text_; }
    virtual void SetText(std::wstring_view text);
    const std::wstring& GetToolTip() const { return toolTip_; }
    void SetToolTip(std::wstring_view text) { toolTip_ = text; }
    const std::wstring& GetUserData() const { return userData_; }
    void SetUserData(std::wstring_view data) { userData_ = data; }

    bool IsVisible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool IsFocused() const;
    void SetFocus();
    virtual bool IsFocusable() const { return false; }

    int GetFixedWidth() const { return fixedWidth_; }
    void SetFixedWidth(int width);
    int GetFixedHeight() const { return fixedHeight_; }
    void SetFixedHeight(int height);
    int GetMinWidth() const { return minWidth_; }
    int GetMaxWidth() const { return maxWidth_; }
    int GetMinHeight() const { return minHeight_; }
    int GetMaxHeight() const { return maxHeight_; }
    const IntRect& GetPadding() const { return padding_; }
    void SetPadding(const IntRect& padding);

    const IntRect& GetPos() const { return pos_; }
    // Places the control; containers lay out their children here.
    virtual void SetPos(const IntRect& rect);
    // The size the control asks for along an axis when it has no fixed size:
    // 0 means it takes a share of the space left.
    virtual int NaturalWidth(int availableWidth);
    virtual int NaturalHeight(int width);

    uint32_t GetBkColor() const { return bkColor_; }
    void SetBkColor(uint32_t color);
    const std::wstring& GetBkImage() const { return bkImage_.value; }
    void SetBkImage(std::wstring_view image);
    int GetBorderSize() const { return borderSize_; }
    uint32_t GetBorderColor() const { return borderColor_; }

    CContainer* GetParent() const { return parent_; }
    WindowManager* GetManager() const { return manager_; }
    // Attaches the control (and, for containers, its children) to a window.
    virtual void SetManager(WindowManager* manager, CContainer* parent);

    // One markup attribute; names no setter knows are kept as custom
    // attributes and have no visible effect.
    virtual void SetAttribute(std::wstring_view name, std::wstring_view value);
    const std::wstring* GetCustomAttribute(std::wstring_view name) const;

    // The deepest visible control at a point (the control itself when no
    // child is there), or null outside.
    virtual CControl* FindControlAt(int x, int y);
    // Calls visit for this control and every descendant.
    virtual void ForEach(const std::function<void(CControl&)>& visit);

    virtual void DoPaint(Canvas& canvas, const IntRect& dirty);
    virtual void DoEvent(ControlEvent& event);

    // A delegate that sees this control's notifications before the window.
    void SetNotifyDelegate(std::function<void(Notification&)> delegate) {
        notifyDelegate_ = std::move(delegate);
    }
    const std::function<void(Notification&)>& GetNotifyDelegate() const { return notifyDelegate_; }

    void Invalidate();
    // The parent lays its children out again (size or visibility changed).
    void NeedParentUpdate();

protected:
    virtual void PaintBkColor(Canvas& canvas);
    virtual void PaintBkImage(Canvas& canvas);
    virtual void PaintStatusImage(Canvas& canvas);
    virtual void PaintText(Canvas& canvas);
    virtual void PaintBorder(Canvas& canvas);

    // Draws an image slot into the control's rectangle; false when nothing
    // could be drawn (not set, or the image cannot be loaded).
    bool DrawImageSlot(Canvas& canvas, ImageSlot& slot) {
        return DrawImageSlot(canvas, slot, pos_);
    }
    // The same inside another rectangle (a part of the control).
    bool DrawImageSlot(Canvas& canvas, ImageSlot& slot, const IntRect& area);
    // Drop focus, hot and capture and queued notifications of this control.
    void ReleaseFromManager();

private:
    std::wstring name_;
    std::wstring text_;
    std::wstring toolTip_;
    std::wstring userData_;
    bool visible_ = true;
    bool enabled_ = true;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    int minWidth_ = 0;
    int maxWidth_ = 9999;
    int minHeight_ = 0;
    int maxHeight_ = 9999;
    IntRect padding_;
    IntRect pos_;
    uint32_t bkColor_ = 0;
    ImageSlot bkImage_;
    int borderSize_ = 0;
    uint32_t borderColor_ = 0;
    IntSize borderRound_;
    CContainer* parent_ = nullptr;
    WindowManager* manager_ = nullptr;
    std::map<std::wstring, std::wstring, std::less<>> customAttributes_;
    std::function<void(Notification&)> notifyDelegate_;
};

}  // namespace Skin
