#include "sdk/object_node.h"

#include "sdk/string_rules.h"

namespace analytics_sdk::utils {

void ObjectNode::SetNumber(const std::string& key, double value) {
    ValueNode node;
    node.kind = ValueNode::NUMBER;
    node.number = value;
    SetValue(key, std::move(node));
}

void ObjectNode::SetNumber(const std::string& key, int64_t value) {
    ValueNode node;
    node.kind = ValueNode::INT;
    node.integer = value;
    SetValue(key, std::move(node));
}

bool ObjectNode::SetString(const std::string& key, std::string_view value) {
    if (!CheckStringValue(key, value)) return false;
    SetStringUnchecked(key, std::string(value));
    return true;
}

void ObjectNode::SetStringUnchecked(const std::string& key, std::string value) {
    ValueNode node;
    node.kind = ValueNode::STRING;
    node.text = std::move(value);
    SetValue(key, std::move(node));
}

void ObjectNode::SetBool(const std::string& key, bool value) {
    ValueNode node;
    node.kind = ValueNode::BOOL;
    node.flag = value;
    SetValue(key, std::move(node));
}

void ObjectNode::SetList(const std::string& key, std::vector<std::string> values) {
    ValueNode node;
    node.kind = ValueNode::LIST;
    node.list = std::move(values);
    SetValue(key, std::move(node));
}

void ObjectNode::SetDateTime(const std::string& key, int64_t seconds, int milliseconds) {
    ValueNode node;
    node.kind = ValueNode::DATETIME;
    node.seconds = seconds;
    node.milliseconds = milliseconds;
    SetValue(key, std::move(node));
}

void ObjectNode::SetObject(const std::string& key, const ObjectNode& value) {
    ValueNode node;
    node.kind = ValueNode::OBJECT;
    node.object = std::make_shared<const ObjectNode>(value);
    SetValue(key, std::move(node));
}

void ObjectNode::SetObject(const std::string& key, ObjectNode&& value) {
    ValueNode node;
    node.kind = ValueNode::OBJECT;
    node.object = std::make_shared<const ObjectNode>(std::move(value));
    SetValue(key, std::move(node));
}

void ObjectNode::SetValue(const std::string& key, ValueNode value) {
    entries_.insert_or_assign(key, std::move(value));
}

void ObjectNode::Merge(const ObjectNode& other) {
    for (const auto& [key, value] : other.entries_) entries_.insert_or_assign(key, value);
}

const ValueNode* ObjectNode::Find(const std::string& key) const {
    const auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &found->second;
}

void ObjectNode::Remove(const std::string& key) { entries_.erase(key); }

}  // namespace analytics_sdk::utils
