#pragma once

#include <optional>
#include <string>

namespace platform {

// OpenClipboard, EmptyClipboard, SetClipboardData(CF_UNICODETEXT),
// CloseClipboard: false when the clipboard cannot be written. The headless
// backend keeps a clipboard of its own for the process.
bool SetClipboardText(const std::wstring& text);

// GetClipboardData(CF_UNICODETEXT): nullopt when the clipboard holds no text.
std::optional<std::wstring> GetClipboardText();

}  // namespace platform
