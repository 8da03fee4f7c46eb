#pragma once

#include <cstdint>
#include <string_view>

namespace Skin {

// The value conventions every skin attribute is written in.

struct IntRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const IntRect&) const = default;
};

struct IntSize {
    int cx = 0;
    int cy = 0;

    bool operator==(const IntSize&) const = default;
};

// ASCII letter case ignored: attribute, tag and member names are ASCII.
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);

// A C-style decimal conversion: leading white space, an optional sign, digits up
// to the first non-digit; 0 when there are none; saturates at the int range.
int ParseInteger(std::wstring_view text);

// "cx,cy" and "l,t,r,b": integers separated by exactly one character of any
// kind. Values missing at the end of the text are 0.
IntSize ParseIntSize(std::wstring_view text);
IntRect ParseIntRect(std::wstring_view text);

// 0xAARRGGBB: optional white space and one optional "#", then hexadecimal digits
// (a "0x" prefix is accepted), saturating at 0xFFFFFFFF. 0 means "not set".
uint32_t ParseColor(std::wstring_view text);

// Exactly "true", case-sensitive.
inline bool ParseBool(std::wstring_view text) { return text == L"true"; }

}  // namespace Skin
