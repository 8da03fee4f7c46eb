#include <gtest/gtest.h>

#include <string>

#include "sdk/json_writer.h"
#include "sdk/object_node.h"
#include "sdk/string_rules.h"

namespace {

using analytics_sdk::CheckLength;
using analytics_sdk::CheckName;
using analytics_sdk::IsAcceptableUtf8;
using analytics_sdk::PropertiesNode;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

struct RuleCase {
    std::string value;
    bool accepted;
    std::string message;
};

TEST(SdkNameRule, AcceptsVariableNamesWithDollarAndReportsEachRejection) {
    const std::string emptyOrLong = "The Event Name is empty or too long, max length is 100";
    const std::string invalid = "The Event Name need to be a valid variable name.";
    const RuleCase cases[] = {
        {"$SignUp", true, ""},     {"_a1", true, ""},
        {"ZrEventTask", true, ""}, {std::string(100, 'a'), true, ""},
        {"", false, emptyOrLong},  {std::string(101, 'a'), false, emptyOrLong},
        {"1abc", false, invalid},  {"a-b", false, invalid},
        {"a b", false, invalid},   {"\xE4\xB8\xAD", false, invalid},
    };
    for (const RuleCase& rule : cases) {
        CaptureStderr();
        EXPECT_EQ(CheckName(rule.value, "Event Name"), rule.accepted) << rule.value;
        EXPECT_EQ(GetCapturedStderr(), rule.message) << rule.value;
    }
}

TEST(SdkLengthRule, NeedsOneTo255Bytes) {
    const RuleCase cases[] = {
        {"x", true, ""},
        {std::string(255, 'x'), true, ""},
        {"", false, "The Distinct ID is empty.\n"},
        {std::string(256, 'x'), false, "The Distinct ID is too long, max length is 255.\n"},
    };
    for (const RuleCase& rule : cases) {
        CaptureStderr();
        EXPECT_EQ(CheckLength(rule.value, "Distinct ID"), rule.accepted) << rule.value.size();
        EXPECT_EQ(GetCapturedStderr(), rule.message);
    }
}

TEST(SdkUtf8Rule, AcceptsOnlyTheCollectorsUnits) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"plain text\t\r\n", true},
        {"\xC2\x80\xDF\xBF", true},
        {"\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF", true},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", true},
        {"开始下载大包", true},
        {std::string("\x01", 1), false},
        {"\x7F", false},
        {"\x80", false},
        {"\xC0\x80", false},
        {"\xC1\xBF", false},
        {"\xE0\x9F\xBF", false},
        {"\xED\xA0\x80", false},  // a surrogate
        {"\xF0\x8F\xBF\xBF", false},
        {"\xF4\x90\x80\x80", false},
        {"\xF5\x80\x80\x80", false},
        {"\xE4\xB8", false},  // cut off by the end
    };
    for (const auto& [value, accepted] : cases) {
        EXPECT_EQ(IsAcceptableUtf8(value), accepted) << testing::PrintToString(value);
    }
}

TEST(SdkStringValue, LeavesOutTooLongOrBadValuesWithTheirMessage) {
    PropertiesNode node;
    CaptureStderr();
    EXPECT_TRUE(node.SetString("exact", std::string(8192, 'a')));
    EXPECT_FALSE(node.SetString("long", std::string(8193, 'a')));
    EXPECT_FALSE(node.SetString("bad", "a\x7F"));
    const std::string messages = GetCapturedStderr();
    EXPECT_NE(node.Find("exact"), nullptr);
    EXPECT_EQ(node.Find("long"), nullptr);
    EXPECT_EQ(node.Find("bad"), nullptr);
    EXPECT_EQ(messages, "String property 'long' is too long, value: " + std::string(8193, 'a') +
                            "\nString property 'bad' is not valid UTF-8 string, value: a\x7F\n");
}

TEST(SdkJsonText, WritesKeysInByteOrderAndValuesInTheCollectorsForms) {
    setenv("TZ", "UTC", 1);
    tzset();
    PropertiesNode inner;
    inner.SetBool("b", false);
    PropertiesNode node;
    node.SetNumber("zr_double", 1234567.0);
    node.SetNumber("zr_int", int64_t{1234567});
    node.SetNumber("zr_small", 0.5);
    node.SetString("zr_escapes", "q\"b\\t\t/\n\r");
    node.SetList("zr_list", {"a", std::string("\x01", 1), "c\"d\b\f"});
    node.SetList("zr_empty_list", {});
    node.SetDateTime("zr_when", 86400 + 3661, 7);
    node.SetBool("_flag", true);
    node.SetObject("Object", inner);
    node.SetString("$first", "中文");
    EXPECT_EQ(analytics_sdk::ToJson(node),
              "{\"$first\":\"中文\",\"Object\":{\"b\":false},\"_flag\":true,"
              "\"zr_double\":1.23457e+06,\"zr_empty_list\":[],"
              "\"zr_escapes\":\"q\\\"b\\\\t\\t/\\n\\r\",\"zr_int\":1234567,"
              "\"zr_list\":[\"a\",\"\x01\",\"c\\\"d\\b\\f\"],\"zr_small\":0.5,"
              "\"zr_when\":\"1970-01-02 01:01:01.007\"}");
}

TEST(SdkJsonText, MergeAndSetReplaceExistingKeys) {
    PropertiesNode base;
    base.SetString("a", "old");
    base.SetString("b", "kept");
    PropertiesNode over;
    over.SetNumber("a", int64_t{2});
    base.Merge(over);
    base.SetBool("b", true);
    EXPECT_EQ(analytics_sdk::ToJson(base), "{\"a\":2,\"b\":true}");
}

}  // namespace
