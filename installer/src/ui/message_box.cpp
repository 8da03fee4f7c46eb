#include "ui/message_box.h"

#include "ui/message_box_wnd.h"

Skin::SkinSource MessageBoxSource(const std::wstring& skinFile) {
    Skin::SkinSource source;
    source.resourceKind = Skin::kSkinFromPackageResource;
    source.resourceId = 147;
    source.skinFile = skinFile;
    source.windowClassName = skinFile.substr(0, skinFile.rfind(L'.'));
    return source;
}

int ShowMessageBox(platform::HWND owner, const Skin::SkinSource& source, const wchar_t* text,
                   const wchar_t* caption) {
    CMessageBoxWnd box(source);
    // The skin sets the size; the box is centred once it is built.
    if (box.Create(owner, L"消息框", platform::WS_VISIBLE | platform::WS_OVERLAPPEDWINDOW, 0, 0, 0,
                   0, 0) == nullptr) {
        return box.result();
    }
    box.SetText(text);
    box.SetCaption(caption);
    box.CenterWindow();
    box.ShowModal();
    return box.result();
}
