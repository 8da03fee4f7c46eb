#pragma once

#include <regex>
#include <string>

// Replaces the two values a record cannot fix in advance, the random track id
// and the time, with the letters T and M, so that a record compares byte for
// byte with its expected text.
inline std::string WithPlaceholders(const std::string& record) {
    static const std::regex trackId("^\\{\"_track_id\":[0-9]+,");
    static const std::regex time(",\"time\":[0-9]+,\"type\":");
    std::string text = std::regex_replace(record, trackId, "{\"_track_id\":T,");
    return std::regex_replace(text, time, ",\"time\":M,\"type\":");
}
