#pragma once

#include <string>

namespace Skin {
class CSkinPackageState;
class WindowManager;
}  // namespace Skin

// The interface languages by index: 0 "en-US", 1 "zh-CN", 2 "zh-TW". Their
// texts come from "language.json" in the skin package and go to the
// toolkit's language text table.

// Resolves the language (an exact code match wins over the index; an index
// outside the table becomes 0) and registers its texts from the open skin
// package. Returns the resolved index, or 0 when the package has no usable
// "language.json" (missing, empty, larger than 4 MiB, unreadable).
int LoadLanguage(int index, const std::wstring& code);
// The same from the given package state.
int LoadLanguage(const Skin::CSkinPackageState& skins, int index, const std::wstring& code);

// Loads the language recorded in folder/config.ini ([Install] Language,
// "en-US" when the key is missing; index 0 without the file) and returns its
// index. The caller lays its window out again.
int LanguageOfInstallation(const std::wstring& folder);

// The registered text of that id; empty when the id is not registered.
std::wstring LanguageText(int id);
// "en-US", "zh-CN", "zh-TW" for 0, 1, 2, else empty.
std::wstring LanguageCodeOf(int index);

// Loads the language, marks the root for relayout, and refits "lbLanguage",
// "lbInstallPath" and "backBtn" to their texts.
void ApplyLanguage(Skin::WindowManager& manager, int index);
