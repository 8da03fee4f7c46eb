#pragma once

#include <memory>
#include <string_view>

#include "skin/control.h"

// The controls of the program's own skin tags, "SequenceLabel" and
// "SequenceButton" (letter case ignored); null for any other tag.
std::unique_ptr<Skin::CControl> CreateSequenceControl(std::wstring_view tagName);
