#include <gtest/gtest.h>

#include <string>

#include "record_text.h"
#include "scratch_home.h"
#include "sdk/sdk.h"

namespace {

using analytics_sdk::PropertiesNode;
using analytics_sdk::Sdk;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// A live instance whose endpoint nobody listens on: records stay queued.
class SdkRecords : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            Sdk::Init((home_.tmp() / "staging").string(), "http://127.0.0.1:9/sa", "dev-1", false));
    }
    void TearDown() override { Sdk::Shutdown(); }

    static std::vector<std::string> Queued() { return Sdk::Instance()->consumer().QueuedRecords(); }

    test_support::ScratchHome home_;
};

TEST_F(SdkRecords, TrackRecordMatchesTheDocumentedText) {
    PropertiesNode properties;
    properties.SetString("zr_task_name", "开始下载大包");
    properties.SetString("zr_task_result", "Success");
    ASSERT_TRUE(Sdk::Track("ZrEventTask", properties));
    ASSERT_EQ(Queued().size(), 1u);
    EXPECT_EQ(
        WithPlaceholders(Queued()[0]),
        "{\"_track_id\":T,\"distinct_id\":\"dev-1\",\"event\":\"ZrEventTask\",\"lib\":{\"$lib\":"
        "\"cpp\",\"$lib_method\":\"code\",\"$lib_version\":\"0.9\"},\"properties\":{\"$lib\":"
        "\"cpp\",\"$lib_version\":\"0.9\",\"zr_task_name\":\"开始下载大包\",\"zr_task_result\":"
        "\"Success\"},\"time\":M,\"type\":\"track\"}");
}

TEST_F(SdkRecords, TimeAndProjectPropertiesMoveToTheRecord) {
    PropertiesNode properties;
    properties.SetDateTime("$time", 1700000000, 250);
    properties.SetString("$project", "pc");
    ASSERT_TRUE(Sdk::Track("Ev", properties));
    ASSERT_TRUE(Sdk::Track("Ev"));
    EXPECT_EQ(Queued()[0].substr(Queued()[0].find("\"project\"")),
              "\"project\":\"pc\",\"properties\":{\"$lib\":\"cpp\",\"$lib_version\":\"0.9\"},"
              "\"time\":1700000000250,\"type\":\"track\"}");
    EXPECT_EQ(Queued()[1].find("\"project\""), std::string::npos);
}

TEST_F(SdkRecords, RejectedOperationsQueueNothingAndSayWhy) {
    struct Case {
        std::string event;
        std::string key;
        bool timeAsText;
        std::string message;
    };
    const Case cases[] = {
        {"1abc", "ok", false, "The Event Name need to be a valid variable name."},
        {"", "ok", false, "The Event Name is empty or too long, max length is 100"},
        {"Ev", "bad-key", false, "The Property Key need to be a valid variable name."},
        {"Ev", "$time", true, "The property '$time' should be DateTime type."},
        {"Ev", "$project", false, "The property '$project' should be String type."},
    };
    for (const Case& rejected : cases) {
        PropertiesNode properties;
        if (rejected.timeAsText) {
            properties.SetString(rejected.key, "2024-01-01");
        } else {
            properties.SetNumber(rejected.key, int64_t{1});
        }
        CaptureStderr();
        EXPECT_FALSE(Sdk::Track(rejected.event, properties)) << rejected.message;
        EXPECT_EQ(GetCapturedStderr(), rejected.message);
    }
    EXPECT_TRUE(Queued().empty());
}

TEST_F(SdkRecords, LoginWritesSignUpThenMarksLaterRecords) {
    ASSERT_TRUE(Sdk::Login("user-7"));
    ASSERT_TRUE(Sdk::Track("Ev"));
    ASSERT_EQ(Queued().size(), 2u);
    EXPECT_EQ(
        WithPlaceholders(Queued()[0]),
        "{\"_track_id\":T,\"distinct_id\":\"user-7\",\"event\":\"$SignUp\",\"lib\":{\"$lib\":"
        "\"cpp\",\"$lib_method\":\"code\",\"$lib_version\":\"0.9\"},\"original_id\":\"dev-1\","
        "\"properties\":{\"$is_login_id\":true,\"$lib\":\"cpp\",\"$lib_version\":\"0.9\"},"
        "\"time\":M,\"type\":\"track_signup\"}");
    EXPECT_NE(Queued()[1].find("\"distinct_id\":\"user-7\""), std::string::npos);
    EXPECT_NE(Queued()[1].find("{\"$is_login_id\":true,\"$lib\""), std::string::npos);
}

TEST_F(SdkRecords, ProfileRecordsCarryOnlyTheGivenProperties) {
    PropertiesNode extra;
    extra.SetString("zr_channel", "web");
    Sdk::RegisterSuperProperties(extra);
    ASSERT_TRUE(Sdk::ProfileSet("zr_label", std::string("a")));
    ASSERT_TRUE(Sdk::ProfileSetOnce("zr_visit_count", int64_t{3}));
    ASSERT_TRUE(Sdk::ProfileIncrement("zr_consumption", int64_t{2}));
    ASSERT_TRUE(Sdk::ProfileSet("zr_score", 2.5));
    ASSERT_TRUE(Sdk::ProfileAppend("zr_tags", "x"));
    ASSERT_TRUE(Sdk::TrackInstallation("ZrEventActivity", PropertiesNode{}));
    const std::vector<std::string> records = Queued();
    ASSERT_EQ(records.size(), 6u);
    const std::string tails[] = {
        "\"properties\":{\"zr_label\":\"a\"},\"time\":M,\"type\":\"profile_set\"}",
        "\"properties\":{\"zr_visit_count\":3},\"time\":M,\"type\":\"profile_set_once\"}",
        "\"properties\":{\"zr_consumption\":2},\"time\":M,\"type\":\"profile_increment\"}",
        "\"properties\":{\"zr_score\":2.5},\"time\":M,\"type\":\"profile_set\"}",
        "\"properties\":{\"zr_tags\":[\"x\"]},\"time\":M,\"type\":\"profile_append\"}",
        "\"properties\":{\"$ios_install_source\":\"\",\"$lib\":\"cpp\",\"$lib_version\":\"0.9\","
        "\"zr_channel\":\"web\"},\"time\":M,\"type\":\"track\"}",
    };
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string text = WithPlaceholders(records[i]);
        EXPECT_TRUE(text.ends_with(tails[i])) << text;
        EXPECT_EQ(text.find("\"event\":\"ZrEventActivity\"") != std::string::npos, i == 5);
    }
}

TEST(SdkLifecycle, InitChecksTheIdAndASecondInitChangesNothing) {
    test_support::ScratchHome home;
    const std::string staging = (home.tmp() / "staging").string();
    CaptureStderr();
    EXPECT_FALSE(Sdk::Init(staging, "http://127.0.0.1:9/sa", "", false));
    EXPECT_EQ(GetCapturedStderr(), "The Distinct ID is empty.\n");
    EXPECT_EQ(Sdk::Instance(), nullptr);
    EXPECT_FALSE(Sdk::Track("Ev"));

    ASSERT_TRUE(Sdk::Init(staging, "http://127.0.0.1:9/sa", "first", false));
    ASSERT_TRUE(Sdk::Init(staging, "http://127.0.0.1:9/sa", "second", true));
    ASSERT_TRUE(Sdk::Track("Ev"));
    EXPECT_NE(Sdk::Instance()->consumer().QueuedRecords()[0].find("\"distinct_id\":\"first\""),
              std::string::npos);
    Sdk::Shutdown();
    EXPECT_FALSE(Sdk::Track("Ev"));
    EXPECT_FALSE(Sdk::FlushAll());
}

}  // namespace
