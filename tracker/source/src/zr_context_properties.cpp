#include "source/src/zr_context_properties.h"

#include "sdk/json_writer.h"
#include "source/src/zr_exception.h"

namespace zerra::analytics {
namespace {

// Counts of 157789440000 and above are milliseconds since 1970, smaller ones seconds.
constexpr int64_t kMillisecondsThreshold = 157789440000;

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void RaiseOverflow(const char* function, int kind) {
    ZR_RAISE(function, "ZrEvent[" + std::to_string(kind) + "] overflow!");
}

}  // namespace

bool ZrContextProperties::isValidABValue(const std::string& value) {
    constexpr char kFunction[] = "isValidABValue";
    if (value.empty()) return false;
    if (value.size() >= 4) ZR_RAISE(kFunction, "value's length is great than 3.");
    if (!IsCapital(value[0])) ZR_RAISE(kFunction, "First char is not in A to Z");
    if (value.size() > 1 && !IsCapital(value[1]) && !IsDigit(value[1])) {
        ZR_RAISE(kFunction, "second char is not in A to Z and 0 to 9");
    }
    if (value.size() > 2 && !IsCapital(value[2]) && !IsDigit(value[2])) {
        ZR_RAISE(kFunction, "third char is not in A to Z and 0 to 9");
    }
    return true;
}

void ZrContextProperties::Register(const std::string& key, ValueKind kind, Value value,
                                   const std::vector<int>& kinds) {
    if (values_.contains(key)) ZR_RAISE("setProperty", "Property[" + key + "] already exist!");
    auto shared = std::make_shared<const Value>(std::move(value));
    values_.emplace(key, shared);
    for (const int eventKind : kinds) {
        if (eventKind < 0 || eventKind >= static_cast<int>(entries_.size())) {
            RaiseOverflow("setProperty", eventKind);
        }
        entries_[eventKind].push_back(Entry{kind, shared, key});
    }
}

void ZrContextProperties::setProperty(const std::string& key, const std::string& value,
                                      const std::vector<int>& kinds) {
    Register(key, String, value, kinds);
}

void ZrContextProperties::setFlag(const std::string& key, bool value,
                                  const std::vector<int>& kinds) {
    Register(key, Flag, value, kinds);
}

void ZrContextProperties::setDateTime(const std::string& key, int64_t count,
                                      const std::vector<int>& kinds) {
    Register(key, DateTime, count, kinds);
}

void ZrContextProperties::setNumber(const std::string& key, double value,
                                    const std::vector<int>& kinds) {
    Register(key, Number, value, kinds);
}

void ZrContextProperties::setList(const std::string& key, std::vector<std::string> values,
                                  const std::vector<int>& kinds) {
    Register(key, List, std::move(values), kinds);
}

const std::vector<ZrContextProperties::Entry>& ZrContextProperties::getEventProperties(
    int kind) const {
    if (kind < 0 || kind >= static_cast<int>(entries_.size())) {
        RaiseOverflow("getEventProperties", kind);
    }
    return entries_[kind];
}

bool ZrContextProperties::apply(int kind, analytics_sdk::PropertiesNode& node) const {
    const std::vector<Entry>& entries = getEventProperties(kind);
    for (const Entry& entry : entries) {
        const Value& value = *entry.value;
        switch (entry.kind) {
            case Flag:
                node.SetBool(entry.key, std::get<bool>(value));
                break;
            case DateTime: {
                const int64_t count = std::get<int64_t>(value);
                const bool milliseconds = count >= kMillisecondsThreshold;
                node.SetStringUnchecked(entry.key, analytics_sdk::FormatLocalDateTime(
                                                       milliseconds ? count / 1000 : count,
                                                       milliseconds ? count % 1000 : 0));
                break;
            }
            case Number:
                node.SetNumber(entry.key, std::get<double>(value));
                break;
            case String:
                node.SetString(entry.key, std::get<std::string>(value));
                break;
            case List:
                node.SetList(entry.key, std::get<std::vector<std::string>>(value));
                break;
        }
    }
    return !entries.empty();
}

}  // namespace zerra::analytics
