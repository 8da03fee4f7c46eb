#include "ui/installer_window.h"

#include <cstdio>

#include "app/debug_log.h"
#include "app/startup.h"
#include "ui/main_wnd.h"

int RunInstallerWindow() {
    if (!platform::InitWindowing(platform::VideoBackend::Auto)) {
        std::fputs("installer: the window system cannot be started\n", stderr);
        return kExitLoadFailure;
    }
    if (platform::IsHeadless()) {
        // Nobody can see or answer this window; a run without one is -silent=true.
        std::fputs(
            "installer: no display, the window runs on the headless video driver "
            "(use -silent=true to install without a window)\n",
            stderr);
    }
    CMainWnd window;
    if (window.CreateMainWindow() == nullptr) {
        DebugLog(L"the main window cannot be created\r\n");
        return kExitLoadFailure;
    }
    window.CenterWindow();
    window.ShowModal();
    return kExitNormal;
}
