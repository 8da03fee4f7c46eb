#pragma once

#include <string>
#include <string_view>

namespace analytics_sdk {

// The record layer never throws: every rejection is one text on the standard
// error stream, written in a single call so that threads do not interleave.
void ReportProblem(std::string_view text);

// Identity values ("Distinct ID", "Original ID"): 1 to 255 bytes.
bool CheckLength(std::string_view value, std::string_view label);

// Event names and property keys ("Event Name", "Property Key"): 1 to 100
// bytes of a variable name that may also use "$".
bool CheckName(std::string_view value, std::string_view label);

// The UTF-8 the collector accepts: tab, line feed, carriage return, printable
// ASCII and well-formed multi-byte sequences without surrogates.
bool IsAcceptableUtf8(std::string_view value);

// A string property value: at most 8192 bytes of acceptable UTF-8.
bool CheckStringValue(const std::string& key, std::string_view value);

}  // namespace analytics_sdk
