#pragma once

#include <string>

#include "platform/text.h"

// Conversions with explicit code pages. kCodePageAnsi (0) serves file names
// handed to the C runtime and libcurl's error texts, kCodePageUtf8 (65001)
// URLs. Inputs end at their first NUL, as the zero-terminated originals do.
using platform::kCodePageAnsi;
using platform::kCodePageUtf8;

std::wstring ToWide(const std::string& text, unsigned codePage);
std::string ToNarrow(const std::wstring& wideText, unsigned codePage);
// UTF-8 to wide, then wide to the ANSI code page.
std::string Utf8ToAnsi(const std::string& text);
