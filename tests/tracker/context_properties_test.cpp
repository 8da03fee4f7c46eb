#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "sdk/json_writer.h"
#include "source/src/tracker_enums.h"
#include "source/src/zr_context_properties.h"
#include "source/src/zr_exception.h"

namespace {

using analytics_sdk::PropertiesNode;
using zerra::analytics::ZrContextProperties;
using zerra::analytics::ZrException;

// The message of the exception `call` raises, or nothing.
template <typename Call>
std::optional<std::string> RaisedMessage(Call&& call, const std::string& function = "") {
    try {
        call();
    } catch (const ZrException& error) {
        if (!function.empty()) {
            EXPECT_EQ(error.function(), function);
        }
        EXPECT_EQ(error.errorCode(), -1);
        return error.what();
    }
    return std::nullopt;
}

TEST(AbValue, FollowsTheRulesInOrder) {
    const std::pair<std::string, std::string> raising[] = {
        {"ABCD", "value's length is great than 3."},
        {"aB", "First char is not in A to Z"},
        {"1A", "First char is not in A to Z"},
        {"in", "First char is not in A to Z"},
        {"Ab", "second char is not in A to Z and 0 to 9"},
        {"AB-", "third char is not in A to Z and 0 to 9"},
    };
    for (const auto& [value, message] : raising) {
        EXPECT_EQ(
            RaisedMessage([&] { ZrContextProperties::isValidABValue(value); }, "isValidABValue"),
            message)
            << value;
    }
    for (const char* valid : {"A", "B", "IN", "A1", "A1Z", "ZZ9"}) {
        EXPECT_TRUE(ZrContextProperties::isValidABValue(valid)) << valid;
    }
    EXPECT_FALSE(ZrContextProperties::isValidABValue(""));
}

TEST(ContextProperties, FilesAValueForTheChosenKindsOnly) {
    ZrContextProperties context;
    context.setProperty("zrc_ab", "IN", {zerra::analytics::Task});
    PropertiesNode task;
    PropertiesNode click;
    EXPECT_TRUE(context.apply(zerra::analytics::Task, task));
    EXPECT_FALSE(context.apply(zerra::analytics::Click, click));
    EXPECT_EQ(analytics_sdk::ToJson(task), "{\"zrc_ab\":\"IN\"}");
    EXPECT_TRUE(click.empty());

    EXPECT_EQ(RaisedMessage([&] { context.setProperty("zrc_ab", "B", {3}); }, "setProperty"),
              "Property[zrc_ab] already exist!");
    ZrContextProperties fresh;
    EXPECT_EQ(RaisedMessage(
                  [&] {
                      fresh.setProperty("zrc_ab", "B", {3, 15, 4});
                  },
                  "setProperty"),
              "ZrEvent[15] overflow!");
    EXPECT_EQ(fresh.getEventProperties(3).size(), 1u);
    EXPECT_TRUE(fresh.getEventProperties(4).empty());
    EXPECT_EQ(RaisedMessage([&] { fresh.getEventProperties(15); }, "getEventProperties"),
              "ZrEvent[15] overflow!");
}

TEST(ContextProperties, WritesEveryValueKindAndDatesInLocalTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    ZrContextProperties context;
    context.setDateTime("zr_seconds", 157789439999, {14});
    context.setDateTime("zr_millis", 157789440000, {14});
    context.setDateTime("zr_small", 86400, {14});
    context.setDateTime("zr_precise", 157789440123, {14});
    context.setFlag("zr_flag", true, {14});
    context.setNumber("zr_number", 2.5, {14});
    context.setList("zr_list", {"a", "b"}, {14});
    context.setProperty("zr_bad", "\x7F", {14});
    PropertiesNode node;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(context.apply(14, node));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "String property 'zr_bad' is not valid UTF-8 string, value: \x7F\n");
    EXPECT_EQ(
        analytics_sdk::ToJson(node),
        "{\"zr_flag\":true,\"zr_list\":[\"a\",\"b\"],\"zr_millis\":\"1975-01-01 "
        "06:24:00.000\",\"zr_number\":2.5,\"zr_precise\":\"1975-01-01 06:24:00.123\","
        "\"zr_seconds\":\"6970-02-23 15:59:59.000\",\"zr_small\":\"1970-01-02 00:00:00.000\"}");
}

TEST(TrackerEnums, NameEachCodeAndRaiseOutsideTheirLists) {
    using namespace zerra::analytics;
    EXPECT_EQ(toString(EventKind::AppOpenNotification), "AppOpenNotification");
    EXPECT_EQ(toString(ClickType::Others), "Others");
    EXPECT_EQ(toString(userType::facebook), "facebook");
    EXPECT_EQ(toString(ZrUpdateOp::UpgrateEnd), "UpgrateEnd");
    const std::pair<std::function<void()>, std::string> raising[] = {
        {[] { toString(static_cast<EventKind>(15)); }, "Unknown Event [15]!"},
        {[] { toString(static_cast<Edition>(2)); }, "Unknown edition [2]!"},
        {[] { toString(static_cast<ClickType>(7)); }, "Unknown ClickType [7]!"},
        {[] { toString(static_cast<ZrResult>(-1)); }, "Unknown task result [-1]!"},
        {[] { toString(static_cast<Currency>(11)); }, "Unknown currency [11]!"},
        {[] { toString(static_cast<IoType>(2)); }, "the io type is invalid"},
        {[] { toString(static_cast<ZrUpdateResult>(6)); }, "Unknown ZrUpdateResult [6]!"},
    };
    for (const auto& [call, message] : raising) EXPECT_EQ(RaisedMessage(call, "toString"), message);
}

}  // namespace
