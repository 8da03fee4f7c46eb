#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The line protocol that a package and an uninstaller speak on their standard
// output: lines of a key, "=" and a value, read in chunks.
namespace StatusLines {

// What parsing a chunk gives: no verdict, or the verdict of its last line that
// gave one.
inline constexpr int kParseNothing = 0;
inline constexpr int kParseSuccess = 1;
inline constexpr int kParseFailure = 1000;

// Text values longer than this are cut.
inline constexpr size_t kMaxTextValue = 771;

// The bytes of one read up to the first zero byte, decoded from `codePage`;
// empty when the code page is unknown.
std::wstring DecodeChunk(std::string_view bytes, unsigned codePage);

// The lines of a chunk split at line feeds (a carriage return stays in its line).
std::vector<std::wstring_view> SplitLines(std::wstring_view chunk);

// The text after `key` when `line` begins with it (exact, case-sensitive),
// cut to kMaxTextValue characters.
bool ValueOf(std::wstring_view line, std::wstring_view key, std::wstring& value);

// Without space, tab, carriage return, line feed, vertical tab and form feed
// at either end.
std::wstring Trim(std::wstring_view text);

// A decimal number such as "0.25" (leading white space and a sign allowed, the
// text after the number ignored); 0 when none can be read or it is not finite.
double ParseNumber(std::wstring_view text);

// A decimal integer as an unsigned 32-bit value (a negative one wraps around
// as C's unsigned conversions do); 0 when none can be read.
uint32_t ParseUnsigned32(std::wstring_view text);

// The leading decimal digits of `text` (after white space) as a number, or
// nothing when it does not begin with one.
bool ParseLeadingInteger(std::wstring_view text, int64_t& number);

}  // namespace StatusLines
