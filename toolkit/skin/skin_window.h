#pragma once

#include <memory>
#include <string>

#include "skin/builder.h"
#include "skin/native_window.h"
#include "skin/notify_dispatcher.h"
#include "skin/skin_source.h"
#include "skin/window_manager.h"

namespace Skin {

// A skinned top-level window: on WM_CREATE it builds its skin file into the
// control tree of its manager. The whole window is client area; the caption
// band drags it, the round corners shape it, and its controls' notifications
// arrive at OnNotify and through the notifications table ("click" goes to
// OnClick). A skin that cannot be built ends the process with exit code 1.
class CSkinWindow : public CNativeWindow,
                    public CNotifyDispatcher,
                    public INotifyListener,
                    public IMessageFilter,
                    public IBuilderCallback {
public:
    CSkinWindow();
    ~CSkinWindow() override;

    WindowManager& manager() { return manager_; }
    const WindowManager& manager() const { return manager_; }

    void OnNotify(Notification& notification) override;
    platform::LRESULT MessageFilter(platform::UINT message, platform::WPARAM wParam,
                                    platform::LPARAM lParam, bool& handled) override;
    std::unique_ptr<CControl> CreateCustomControl(std::wstring_view tagName) override;

protected:
    // The slots of a skinned window, in their order.
    const wchar_t* GetWindowClassName() const override;
    const wchar_t* GetSuperClassName() const override { return nullptr; }
    unsigned GetClassStyle() const override;
    platform::LRESULT OnMessage(platform::UINT message, platform::WPARAM wParam,
                                platform::LPARAM lParam) override;
    void OnFinalMessage(platform::HWND hwnd) override;
    virtual void OnInitWindow() {}
    virtual void OnClick(Notification& notification);
    virtual std::wstring GetSkinFolder() const { return {}; }
    virtual std::wstring GetSkinFile() const = 0;
    // Escape closes the window (result 1); Enter is left to the controls.
    virtual platform::LRESULT ResponseDefaultKeyEvent(platform::WPARAM key);
    virtual int GetResourceType() const { return kSkinFromFolder; }
    virtual std::wstring GetZipFileName() const { return {}; }
    virtual int GetResourceID() const { return 0; }
    virtual platform::LRESULT OnClose(platform::WPARAM wParam, platform::LPARAM lParam,
                                      bool& handled);
    virtual platform::LRESULT OnDestroy(platform::WPARAM wParam, platform::LPARAM lParam,
                                        bool& handled);
    virtual platform::LRESULT OnNcActivate(platform::WPARAM wParam, platform::LPARAM lParam,
                                           bool& handled);
    virtual platform::LRESULT OnNcCalcSize(platform::WPARAM wParam, platform::LPARAM lParam,
                                           bool& handled);
    virtual platform::LRESULT OnNcPaint(platform::WPARAM wParam, platform::LPARAM lParam,
                                        bool& handled);
    virtual platform::LRESULT OnNcHitTest(platform::WPARAM wParam, platform::LPARAM lParam,
                                          bool& handled);
    virtual platform::LRESULT OnGetMinMaxInfo(platform::WPARAM wParam, platform::LPARAM lParam,
                                              bool& handled);
    virtual platform::LRESULT OnMouseWheel(platform::WPARAM wParam, platform::LPARAM lParam,
                                           bool& handled);
    virtual platform::LRESULT OnMouseHover(platform::WPARAM wParam, platform::LPARAM lParam,
                                           bool& handled);
    virtual platform::LRESULT OnSize(platform::WPARAM wParam, platform::LPARAM lParam,
                                     bool& handled);
    virtual platform::LRESULT OnChar(platform::WPARAM wParam, platform::LPARAM lParam,
                                     bool& handled);
    virtual platform::LRESULT OnSysCommand(platform::WPARAM wParam, platform::LPARAM lParam,
                                           bool& handled);
    virtual platform::LRESULT OnCreate(platform::WPARAM wParam, platform::LPARAM lParam,
                                       bool& handled);
    virtual platform::LRESULT OnKeyDown(platform::WPARAM wParam, platform::LPARAM lParam,
                                        bool& handled);
    virtual platform::LRESULT OnKillFocus(platform::WPARAM wParam, platform::LPARAM lParam,
                                          bool& handled);
    virtual platform::LRESULT OnSetFocus(platform::WPARAM wParam, platform::LPARAM lParam,
                                         bool& handled);
    virtual platform::LRESULT OnLButtonDown(platform::WPARAM wParam, platform::LPARAM lParam,
                                            bool& handled);
    virtual platform::LRESULT OnLButtonUp(platform::WPARAM wParam, platform::LPARAM lParam,
                                          bool& handled);
    virtual platform::LRESULT OnMouseMove(platform::WPARAM wParam, platform::LPARAM lParam,
                                          bool& handled);
    virtual platform::LRESULT OnCustomMessage(platform::UINT message, platform::WPARAM wParam,
                                              platform::LPARAM lParam, bool& handled);
    virtual unsigned GetStyle() const;

    // Shows the load failure and ends the process with exit code 1.
    [[noreturn]] void FailToLoad(const std::wstring& reason);

private:
    WindowManager manager_;
};

}  // namespace Skin
