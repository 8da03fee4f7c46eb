#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "draw/canvas.h"
#include "draw/font.h"

namespace Skin {

// Text format flags with the values of the DrawText flags they stand for.
enum TextFormat : unsigned {
    kTextLeft = 0x0000,
    kTextCenter = 0x0001,
    kTextRight = 0x0002,
    kTextTop = 0x0000,
    kTextVCenter = 0x0004,
    kTextBottom = 0x0008,
    kTextWordBreak = 0x0010,
    kTextSingleLine = 0x0020,
    kTextEndEllipsis = 0x8000,
};
inline constexpr unsigned kTextHorizontalMask = kTextCenter | kTextRight;
inline constexpr unsigned kTextVerticalMask = kTextVCenter | kTextBottom;

// The lines of a text broken to fit maxWidth: after spaces, around Chinese,
// Japanese and Korean characters (never before closing punctuation), at line
// feeds, and inside a word that is wider than a line on its own.
std::vector<std::wstring> WrapText(Font& font, std::wstring_view text, int maxWidth);

// The size the text takes: one line (kTextSingleLine or no kTextWordBreak), or
// the lines of WrapText at maxWidth, each font.height() high.
IntSize MeasureText(Font& font, std::wstring_view text, int maxWidth, unsigned format);

// Draws the text inside rect, aligned by format, clipped to rect.
void DrawText(Canvas& canvas, Font& font, std::wstring_view text, const IntRect& rect,
              uint32_t argb, unsigned format);

}  // namespace Skin
