#pragma once

#include <cstdint>
#include <string>

namespace zerra::analytics {

// User-profile values: each key has a fixed operation (set once, set or
// increment) that decides the record type. Misuse raises ZrException.
namespace NativeUserTracker {

void ProfileUserPropertyString(const std::string& key, const std::string& value);
void ProfileUserPropertyNumber(const std::string& key, int64_t value);
void ProfileUserPropertyNumber(const std::string& key, double value);
void ProfileUserPropertyDateTime(const std::string& key, int64_t millisecondsSince1970);

}  // namespace NativeUserTracker
}  // namespace zerra::analytics
