#pragma once

#include <string>

#include "markup/markup_document.h"
#include "skin/skin_source.h"

namespace Skin {

// Reads and parses the skin file a window names: from the skin package in the
// program's resources (kind 4) or from disk below the resource folder
// (kind 1). False with an error text when the file cannot be had or does not
// parse.
bool LoadSkinDocument(const SkinSource& source, MarkupDocument& document, std::wstring& error);

}  // namespace Skin
