#pragma once

#include <cstdint>
#include <string_view>

// Number conversions of the settings. Both skip leading white space and stop at
// the first character that does not fit; `value` is set only on Done.
enum class Conversion { Done, NotANumber, OutOfRange };

// Decimal integer: an optional sign and digits.
Conversion ParseDecimalInteger(std::wstring_view text, int32_t& value);
// Decimal floating point: an optional sign, digits with an optional decimal
// point, an optional exponent.
Conversion ParseDecimalNumber(std::wstring_view text, double& value);

// A share of the progress bar lies between 0 and 1.
bool IsValidDownloadScale(double scale);
