#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "sdk/object_node.h"

namespace zerra::analytics {

// Extra properties filed by event kind for one track call: a caller attaches
// a value (the A/B group "zrc_ab") to the records of chosen kinds only.
class ZrContextProperties {
public:
    enum ValueKind { Flag = 0, DateTime = 1, Number = 2, String = 3, List = 4 };
    using Value = std::variant<bool, int64_t, double, std::string, std::vector<std::string>>;

    struct Entry {
        ValueKind kind;
        std::shared_ptr<const Value> value;
        std::string key;
    };

    // Registers `value` under "zrc_ab" and files it for each kind in turn.
    // Raises "Property[zrc_ab] already exist!" on a second registration and
    // "ZrEvent[<kind>] overflow!" for a kind outside 0-14 (earlier kinds keep
    // their entry).
    void setProperty(const std::string& key, const std::string& value,
                     const std::vector<int>& kinds);
    // The same for the other value kinds; a date-time counts seconds or
    // milliseconds since 1970.
    void setFlag(const std::string& key, bool value, const std::vector<int>& kinds);
    void setDateTime(const std::string& key, int64_t count, const std::vector<int>& kinds);
    void setNumber(const std::string& key, double value, const std::vector<int>& kinds);
    void setList(const std::string& key, std::vector<std::string> values,
                 const std::vector<int>& kinds);

    // An A/B value is one capital and up to two capitals or digits. Empty is
    // simply not valid; any other violation raises with the rule's message.
    static bool isValidABValue(const std::string& value);

    const std::vector<Entry>& getEventProperties(int kind) const;

    // Copies the kind's entries into `node`; false when the kind has none.
    bool apply(int kind, analytics_sdk::PropertiesNode& node) const;

private:
    void Register(const std::string& key, ValueKind kind, Value value,
                  const std::vector<int>& kinds);

    std::unordered_map<std::string, std::shared_ptr<const Value>> values_;
    std::array<std::vector<Entry>, 15> entries_;
};

}  // namespace zerra::analytics
