#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace analytics_sdk {

namespace utils {
class ObjectNode;
}

// One property value. Every node carries all fields; the kind says which one
// is meaningful.
struct ValueNode {
    enum Kind { NUMBER = 0, INT = 1, STRING = 2, LIST = 3, DATETIME = 4, BOOL = 5, OBJECT = 6 };

    Kind kind = NUMBER;
    double number = 0;
    int64_t integer = 0;
    std::string text;
    std::vector<std::string> list;
    int64_t seconds = 0;
    int milliseconds = 0;
    bool flag = false;
    std::shared_ptr<const utils::ObjectNode> object;
};

namespace utils {

// Keys in plain byte order (std::string compares bytes as unsigned), so every
// object is written with its keys ascending.
class ObjectNode {
public:
    using Entries = std::map<std::string, ValueNode>;

    void SetNumber(const std::string& key, double value);
    void SetNumber(const std::string& key, int64_t value);
    // Checks the value first (length and UTF-8); false when it was left out.
    bool SetString(const std::string& key, std::string_view value);
    // For texts that are known to be acceptable (identities, formatted times).
    void SetStringUnchecked(const std::string& key, std::string value);
    void SetBool(const std::string& key, bool value);
    void SetList(const std::string& key, std::vector<std::string> values);
    void SetDateTime(const std::string& key, int64_t seconds, int milliseconds);
    void SetObject(const std::string& key, const ObjectNode& value);
    void SetObject(const std::string& key, ObjectNode&& value);
    // Stores a value as it is, without the string checks.
    void SetValue(const std::string& key, ValueNode value);
    // Copies every entry of `other` over this node.
    void Merge(const ObjectNode& other);

    const ValueNode* Find(const std::string& key) const;
    void Remove(const std::string& key);
    const Entries& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

private:
    Entries entries_;
};

}  // namespace utils

// The type in which callers pass event and profile properties.
class PropertiesNode : public utils::ObjectNode {};

}  // namespace analytics_sdk
