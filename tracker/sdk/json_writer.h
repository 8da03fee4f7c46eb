#pragma once

#include <string>
#include <string_view>

#include "sdk/object_node.h"

namespace analytics_sdk {

// The collector's JSON dialect: no white space, keys unescaped, strings with
// exactly seven escapes, numbers as a default-formatted stream writes them.
void AppendJsonString(std::string& out, std::string_view text);
void AppendJsonValue(std::string& out, const ValueNode& value);
void AppendJsonObject(std::string& out, const utils::ObjectNode& object);
std::string ToJson(const utils::ObjectNode& object);

// "%04d-%02d-%02d %02d:%02d:%02d.%03d" in local time.
std::string FormatLocalDateTime(int64_t seconds, int milliseconds);

// "[" + the records joined by "," + "]".
template <typename Records>
std::string BatchText(const Records& records) {
    size_t size = 2;
    for (const auto& record : records) size += record.size() + 1;
    std::string out;
    out.reserve(size);
    out += '[';
    bool first = true;
    for (const auto& record : records) {
        if (!first) out += ',';
        out += record;
        first = false;
    }
    out += ']';
    return out;
}

}  // namespace analytics_sdk
