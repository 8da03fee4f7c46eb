#include "sdk/json_writer.h"

#include <charconv>
#include <cstdio>

#include "platform/local_time.h"

namespace analytics_sdk {

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    out += '"';
}

std::string FormatLocalDateTime(int64_t seconds, int milliseconds) {
    const platform::LocalTime local =
        platform::SecondsToLocalTime(seconds, static_cast<uint16_t>(milliseconds));
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.year, local.month,
                  local.day, local.hour, local.minute, local.second, milliseconds);
    return text;
}

namespace {

// What "out << value" writes with a default-formatted stream: %g with six
// significant digits, independent of the locale.
void AppendDouble(std::string& out, double value) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    out.append(text, result.ptr);
}

void AppendInteger(std::string& out, int64_t value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

}  // namespace

void AppendJsonValue(std::string& out, const ValueNode& value) {
    switch (value.kind) {
        case ValueNode::NUMBER:
            AppendDouble(out, value.number);
            break;
        case ValueNode::INT:
            AppendInteger(out, value.integer);
            break;
        case ValueNode::STRING:
            AppendJsonString(out, value.text);
            break;
        case ValueNode::LIST: {
            out += '[';
            for (size_t i = 0; i < value.list.size(); ++i) {
                if (i != 0) out += ',';
                AppendJsonString(out, value.list[i]);
            }
            out += ']';
            break;
        }
        case ValueNode::DATETIME:
            out += '"';
            out += FormatLocalDateTime(value.seconds, value.milliseconds);
            out += '"';
            break;
        case ValueNode::BOOL:
            out += value.flag ? "true" : "false";
            break;
        case ValueNode::OBJECT:
            if (value.object) {
                AppendJsonObject(out, *value.object);
            } else {
                out += "{}";
            }
            break;
    }
}

void AppendJsonObject(std::string& out, const utils::ObjectNode& object) {
    out += '{';
    bool first = true;
    for (const auto& [key, value] : object.entries()) {
        if (!first) out += ',';
        first = false;
        out += '"';
        out += key;
        out += "\":";
        AppendJsonValue(out, value);
    }
    out += '}';
}

std::string ToJson(const utils::ObjectNode& object) {
    std::string out;
    AppendJsonObject(out, object);
    return out;
}

}  // namespace analytics_sdk
