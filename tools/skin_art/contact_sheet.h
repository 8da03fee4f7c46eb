#pragma once

#include <vector>

#include "artwork.h"

namespace skin_art {

// All images on one page, each on a checkerboard (so transparency shows) with
// its member name under it.
Canvas MakeContactSheet(const std::vector<Artwork>& images, const TextRenderer& text);

}  // namespace skin_art
