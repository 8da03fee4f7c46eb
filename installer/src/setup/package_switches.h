#pragma once

#include <string>

// What the package is told besides its own path: the target folder, the
// shortcut and administrator flags and the language (-inslang, none when empty).
struct PackageSwitches {
    std::wstring installDir;
    bool desktopShortcut = false;
    bool quickLaunchShortcut = false;
    bool adminAct = false;
    bool authorizationAct = true;
    std::wstring installLanguage;
};
