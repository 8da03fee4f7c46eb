#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "markup/markup_values.h"

namespace Skin {

// What an image attribute (bkimage, normalimage, foreimage, a sequence frame...)
// asks to draw. Rectangles that are all 0 mean "the whole image" (source) and
// "the whole control" (dest); corner is the nine-grid border that is not
// stretched.
struct ImageDescription {
    std::wstring file;     // package member, else a path on disk
    std::wstring res;      // a resource name instead of a member
    std::wstring restype;  // the resource type for res
    uint32_t color = 0;    // fill with this 0xAARRGGBB colour instead of an image
    IntRect dest;
    IntRect source;
    IntRect corner;      // also written "scale9"
    uint32_t mask = 0;   // pixels of exactly this RGB become transparent; 0 = none
    uint8_t fade = 255;  // constant opacity
    bool hole = false;   // leave the nine-grid centre undrawn
    bool xtiled = false;
    bool ytiled = false;
    bool hsl = false;

    bool operator==(const ImageDescription&) const = default;
};

// A value without "=" is a member name. Otherwise it is a list of key='value'
// items separated by spaces (white space allowed around "="); parsing stops at
// the first item not of that form, and unknown keys are ignored.
ImageDescription ParseImageDescription(std::wstring_view value);

}  // namespace Skin
