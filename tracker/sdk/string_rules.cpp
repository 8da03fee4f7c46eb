#include "sdk/string_rules.h"

#include <cstdio>

namespace analytics_sdk {
namespace {

constexpr size_t kMaxIdLength = 255;
constexpr size_t kMaxNameLength = 100;
constexpr size_t kMaxStringValueLength = 8192;

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$' || c == '_';
}

bool IsNamePart(unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

bool InRange(unsigned char c, unsigned char low, unsigned char high) {
    return c >= low && c <= high;
}

// Length of the acceptable unit at the start of `rest`, 0 when there is none.
size_t UnitLength(std::string_view rest) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(rest[i]); };
    const unsigned char lead = at(0);
    if (lead == 0x09 || lead == 0x0A || lead == 0x0D || InRange(lead, 0x20, 0x7E)) return 1;
    const auto tail = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            if (!InRange(at(i), 0x80, 0xBF)) return false;
        }
        return true;
    };
    if (InRange(lead, 0xC2, 0xDF)) return rest.size() >= 2 && tail(1, 2) ? 2 : 0;
    if (InRange(lead, 0xE0, 0xEF)) {
        if (rest.size() < 3) return 0;
        const unsigned char second = at(1);
        const bool secondOk = lead == 0xE0   ? InRange(second, 0xA0, 0xBF)
                              : lead == 0xED ? InRange(second, 0x80, 0x9F)
                                             : InRange(second, 0x80, 0xBF);
        return secondOk && tail(2, 3) ? 3 : 0;
    }
    if (InRange(lead, 0xF0, 0xF4)) {
        if (rest.size() < 4) return 0;
        const unsigned char second = at(1);
        const bool secondOk = lead == 0xF0   ? InRange(second, 0x90, 0xBF)
                              : lead == 0xF4 ? InRange(second, 0x80, 0x8F)
                                             : InRange(second, 0x80, 0xBF);
        return secondOk && tail(2, 4) ? 4 : 0;
    }
    return 0;
}

}  // namespace

void ReportProblem(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

bool CheckLength(std::string_view value, std::string_view label) {
    if (value.empty()) {
        ReportProblem("The " + std::string(label) + " is empty.\n");
        return false;
    }
    if (value.size() > kMaxIdLength) {
        ReportProblem("The " + std::string(label) + " is too long, max length is 255.\n");
        return false;
    }
    return true;
}

bool CheckName(std::string_view value, std::string_view label) {
    if (value.empty() || value.size() > kMaxNameLength) {
        ReportProblem("The " + std::string(label) + " is empty or too long, max length is 100");
        return false;
    }
    bool valid = IsNameStart(static_cast<unsigned char>(value[0]));
    for (size_t i = 1; valid && i < value.size(); ++i) {
        valid = IsNamePart(static_cast<unsigned char>(value[i]));
    }
    if (!valid) ReportProblem("The " + std::string(label) + " need to be a valid variable name.");
    return valid;
}

bool IsAcceptableUtf8(std::string_view value) {
    while (!value.empty()) {
        const size_t length = UnitLength(value);
        if (length == 0) return false;
        value.remove_prefix(length);
    }
    return true;
}

bool CheckStringValue(const std::string& key, std::string_view value) {
    if (value.size() > kMaxStringValueLength) {
        ReportProblem("String property '" + key + "' is too long, value: " + std::string(value) +
                      "\n");
        return false;
    }
    if (!IsAcceptableUtf8(value)) {
        ReportProblem("String property '" + key +
                      "' is not valid UTF-8 string, value: " + std::string(value) + "\n");
        return false;
    }
    return true;
}

}  // namespace analytics_sdk
