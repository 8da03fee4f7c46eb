#include "main_window_pages.h"

#include <array>

#include "skin/tab_layout.h"

namespace skin_render {

bool ShowMainWindowPage(Skin::WindowManager& manager, int page) {
    struct PageLook {
        const wchar_t* background;
        int titleItem;  // -1: the title bar stays as it is
    };
    static constexpr std::array<PageLook, 4> kPages{{
        {L"res\\mainWnd\\bg1.png", 0},
        {L"res\\mainWnd\\bg2.png", 1},
        {L"res\\mainWnd\\bg3.png", -1},
        {L"res\\mainWnd\\bg4.png", 2},
    }};
    auto* pages = dynamic_cast<Skin::CTabLayout*>(manager.FindControl(L"mainTabLt"));
    if (pages == nullptr || page < 0 || page >= static_cast<int>(kPages.size())) return page == 0;
    if (!pages->SelectItem(page, false)) return false;
    if (Skin::CControl* window = manager.FindControl(L"winCtn")) {
        window->SetBkImage(kPages[page].background);
    }
    auto* title = dynamic_cast<Skin::CTabLayout*>(manager.FindControl(L"titleTabLt"));
    if (title != nullptr && kPages[page].titleItem >= 0)
        title->SelectItem(kPages[page].titleItem, false);
    return true;
}

}  // namespace skin_render
