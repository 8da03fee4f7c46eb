#pragma once

#include <memory>

#include "skin/skin_source.h"
#include "skin/skin_window.h"
#include "skin/window_shadow.h"

namespace Skin {

// The base of the program's windows: a skinned window whose skin comes from
// a SkinSource, with a drop shadow, on which Escape does nothing.
class CSkinFrame : public CSkinWindow {
public:
    explicit CSkinFrame(SkinSource source);
    ~CSkinFrame() override;

    const SkinSource& skinSource() const { return source_; }
    IWindowShadow& shadow() { return *shadow_; }

    platform::LRESULT MessageFilter(platform::UINT message, platform::WPARAM wParam,
                                    platform::LPARAM lParam, bool& handled) override;

protected:
    const wchar_t* GetWindowClassName() const override;
    void OnInitWindow() override;
    std::wstring GetSkinFolder() const override { return source_.skinFolder; }
    std::wstring GetSkinFile() const override { return source_.skinFile; }
    int GetResourceType() const override { return source_.resourceKind; }
    int GetResourceID() const override { return source_.resourceId; }
    platform::LRESULT OnMessage(platform::UINT message, platform::WPARAM wParam,
                                platform::LPARAM lParam) override;

private:
    SkinSource source_;
    std::unique_ptr<IWindowShadow> shadow_;
};

}  // namespace Skin
