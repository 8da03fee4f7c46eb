#pragma once

#include <string>

#include "platform/window.h"
#include "skin/skin_source.h"

// The skin source of one of the program's small windows: packaged archive 147, the
// class name being the file name up to its last dot.
Skin::SkinSource MessageBoxSource(const std::wstring& skinFile);

// Runs the box modally over `owner`; 0 okBtn, 1 cancelBtn or closed without a button, 2 any other
// control (closebtn). text/caption nullptr leave the skin's own.
int ShowMessageBox(platform::HWND owner, const Skin::SkinSource& source, const wchar_t* text,
                   const wchar_t* caption);
