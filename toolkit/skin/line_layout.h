#pragma once

#include <memory>
#include <vector>

#include "skin/control.h"

namespace Skin {

enum class LayoutAxis { kHorizontal, kVertical };

// Places the visible children one after another along the axis inside inner:
// fixed sizes first, then natural sizes (a label's text), and the space left
// shared equally by the rest, the last of them taking the remainder so that
// the line is filled exactly. Across the axis a child gets its fixed size or
// the whole inner size less its padding.
void LayOutLine(const IntRect& inner, int childPadding,
                const std::vector<std::unique_ptr<CControl>>& children, LayoutAxis axis);

}  // namespace Skin
