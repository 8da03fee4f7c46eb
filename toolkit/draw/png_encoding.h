#pragma once

#include <cstdint>
#include <string>

namespace Skin {

// A PNG of premultiplied 0xAARRGGBB pixels (written with straight alpha).
std::string EncodePng(const uint32_t* pixels, int width, int height);

}  // namespace Skin
