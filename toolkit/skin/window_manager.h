#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "draw/canvas.h"
#include "draw/font.h"
#include "markup/resource_elements.h"
#include "platform/window.h"
#include "skin/control.h"
#include "skin/notification.h"

namespace Skin {

// One per window: owns the control tree, fonts, images, timers and the
// notification listeners, lays out and paints the tree into the window's
// canvas, and routes mouse, keyboard and timer messages to the controls.
// Everything but SendNotify(..., asynchronous = true) belongs to the thread
// that owns the window.
class WindowManager {
public:
    // Posted to the window when asynchronous notifications wait.
    static constexpr platform::UINT kDrainNotificationsMessage = platform::WM_APP + 1;

    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    void Init(platform::HWND hwnd);
    platform::HWND GetPaintWindow() const { return hwnd_; }

    // Makes the control the root of the window (the old tree is released).
    void AttachRoot(std::unique_ptr<CControl> root);
    CControl* Root() const { return root_.get(); }
    void ReleaseRoot();

    // Exact, case-sensitive lookup among the attached controls.
    CControl* FindControl(std::wstring_view name) const;
    CControl* FindControlAt(int x, int y) const;
    // Keeps the name table in step when a control is attached or renamed.
    void RegisterControlName(CControl& control);

    void AddFont(const FontDeclaration& font);
    // The font of that id; -1 or an unknown id gives the default font (null
    // only when no face at all can be opened).
    Font* GetFont(int id);
    uint32_t DefaultTextColor() const { return defaultTextColor_; }
    uint32_t DisabledTextColor() const { return disabledTextColor_; }

    // Decoded images by name and mask, kept for the window; a name that does
    // not load is remembered as missing.
    std::shared_ptr<const Bitmap> GetImage(const std::wstring& name, uint32_t mask);

    void AddDefaultAttributeList(const std::wstring& tagName, const std::wstring& attributes);
    const std::wstring* GetDefaultAttributeList(std::wstring_view tagName) const;
    // The language text table is the toolkit's, shared by every window of
    // the process (window thread only). Adding an id again replaces its text.
    static void AddMultiLanguageString(int id, const std::wstring& text);
    static const std::wstring* GetMultiLanguageString(int id);

    // The attributes of the Window element; names the manager does not use
    // are kept as custom attributes (the first value wins).
    void ApplyWindowAttribute(std::wstring_view name, std::wstring_view value);
    const std::wstring* GetWindowCustomAttribute(std::wstring_view name) const;
    const IntRect& GetCaptionRect() const { return caption_; }
    const IntSize& GetRoundCorner() const { return roundCorner_; }
    const IntRect& GetSizeBox() const { return sizeBox_; }
    const IntSize& GetInitialSize() const { return initialSize_; }
    const IntSize& GetMinInfo() const { return minInfo_; }
    const IntSize& GetMaxInfo() const { return maxInfo_; }

    CControl* GetFocus() const { return focus_; }
    void SetFocus(CControl* control);

    void Invalidate();
    // Lays the tree out again before the next paint.
    void NeedUpdate();
    // Lays out (when needed) and paints the whole tree into the canvas.
    void PaintCanvas();
    const Canvas& canvas() const { return canvas_; }

    bool SetTimer(CControl* control, platform::UINT id, platform::UINT periodMs);
    void KillTimer(CControl* control, platform::UINT id);

    void SendNotify(CControl* sender, std::wstring_view type, platform::WPARAM wParam = 0,
                    platform::LPARAM lParam = 0, bool asynchronous = false,
                    bool allowRepeat = true);
    void AddNotifier(INotifyListener* listener);
    void RemoveNotifier(INotifyListener* listener);
    void AddPreMessageFilter(IMessageFilter* filter);
    void RemovePreMessageFilter(IMessageFilter* filter);

    // The manager's share of a window's messages: painting, layout, mouse and
    // keyboard routing, timers and the notification queue.
    bool MessageHandler(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam,
                        platform::LRESULT& result);
    // Runs the pre-message filters of the message's window and of the windows
    // that own it; true when one of them handled the message.
    static bool TranslateMessage(const platform::MSG& msg);

    // A control that goes away leaves nothing behind that still points at it.
    void ForgetControl(CControl* control);

private:
    struct Timer {
        CControl* control = nullptr;
        platform::UINT localId = 0;
        platform::UINT nativeId = 0;
        bool killed = false;
    };

    bool PreMessageHandler(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam,
                           platform::LRESULT& result);
    void Deliver(Notification& notification);
    void DrainNotifications();
    void OnMouseMove(int x, int y);
    void OnButtonDown(int x, int y);
    void OnButtonUp(int x, int y);
    void OnKeyDown(platform::WPARAM key);
    void OnTimer(platform::WPARAM nativeId);
    void MoveFocus();
    ControlEvent MakeEvent(ControlEventType type, CControl* sender) const;
    platform::POINT LastMouse() const;
    void SetLastMouse(int x, int y);

    platform::HWND hwnd_ = nullptr;
    std::unique_ptr<CControl> root_;
    std::map<std::wstring, CControl*, std::less<>> names_;
    CControl* focus_ = nullptr;
    CControl* hot_ = nullptr;
    CControl* captured_ = nullptr;
    // Read by SendNotify from any thread, so kept as one atomic word.
    std::atomic<uint64_t> lastMouse_{0};

    std::map<int, std::shared_ptr<Font>> fonts_;
    std::shared_ptr<Font> defaultFont_;
    std::shared_ptr<Font> fallbackFont_;
    uint32_t defaultTextColor_ = 0xFF000000;
    uint32_t disabledTextColor_ = 0xFFA7A6AA;
    std::map<std::pair<std::wstring, uint32_t>, std::shared_ptr<const Bitmap>> images_;
    std::map<std::wstring, std::wstring, std::less<>> defaultAttributes_;
    std::map<std::wstring, std::wstring, std::less<>> customAttributes_;

    IntRect caption_;
    IntSize roundCorner_;
    IntRect sizeBox_;
    IntSize initialSize_;
    IntSize minInfo_;
    IntSize maxInfo_;

    std::vector<Timer> timers_;
    platform::UINT timerCounter_ = 0;

    std::vector<INotifyListener*> notifiers_;
    std::vector<IMessageFilter*> preFilters_;
    std::mutex queueLock_;
    std::deque<Notification> queue_;
    bool drainPosted_ = false;

    Canvas canvas_;
    bool needLayout_ = true;
    bool firstLayout_ = true;
};

}  // namespace Skin
