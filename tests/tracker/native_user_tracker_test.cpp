#include "source/src/native_user_tracker.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "record_text.h"
#include "scratch_home.h"
#include "sdk/sdk.h"
#include "source/src/zr_exception.h"
#include "tracker_test_support.h"

namespace {

using namespace zerra::analytics::NativeUserTracker;

class UserProfile : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        ASSERT_TRUE(analytics_sdk::Sdk::Init((home_.tmp() / "staging").string(),
                                             "http://127.0.0.1:9/sa", "dev", false));
    }
    void TearDown() override { analytics_sdk::Sdk::Shutdown(); }

    test_support::ScratchHome home_;
};

TEST_F(UserProfile, EachKeyHasItsOperationAndMisuseRaises) {
    struct Case {
        std::function<void()> call;
        std::string recordTail;  // empty when the call raises
        std::string message;
        std::string function;
    };
    const Case cases[] = {
        {[] { ProfileUserPropertyString("zr_label", "x"); },
         "\"properties\":{\"zr_label\":\"x\"},\"time\":M,\"type\":\"profile_set\"}", "", ""},
        {[] { ProfileUserPropertyString("$ios_install_source", "y"); },
         "\"properties\":{\"$ios_install_source\":\"y\"},\"time\":M,\"type\":\"profile_set_once\"}",
         "", ""},
        {[] { ProfileUserPropertyNumber("zr_paid_count", int64_t{1}); },
         "\"properties\":{\"zr_paid_count\":1},\"time\":M,\"type\":\"profile_increment\"}", "", ""},
        {[] { ProfileUserPropertyNumber("zr_consumption", 9.5); },
         "\"properties\":{\"zr_consumption\":9.5},\"time\":M,\"type\":\"profile_increment\"}", "",
         ""},
        {[] { ProfileUserPropertyNumber("zr_user_vip_level", int64_t{2}); },
         "\"properties\":{\"zr_user_vip_level\":2},\"time\":M,\"type\":\"profile_set\"}", "", ""},
        {[] { ProfileUserPropertyDateTime("zr_first_paid_date", 86400123); },
         "\"properties\":{\"zr_first_paid_date\":\"1970-01-02 00:00:00.123\"},\"time\":M,"
         "\"type\":\"profile_set_once\"}",
         "", ""},
        {[] { ProfileUserPropertyString("zr_visit_count", "3"); }, "",
         "user property [zr_visit_count] is string type value, it cannot be accumulated!",
         "ProfileUserPropertyString"},
        {[] { ProfileUserPropertyDateTime("zr_paid_count", 0); }, "",
         "user property [zr_paid_count] is boolean value, it cannot be accumulative!",
         "ProfileUserPropertyDateTime"},
        {[] { ProfileUserPropertyNumber("zr_unknown", 1.0); }, "",
         "Not supported user property [zr_unknown]!", "ProfileUserPropertyNumber"},
        {[] { ProfileUserPropertyString("$app_version", "1"); }, "",
         "Not supported user property [$app_version]!", "ProfileUserPropertyString"},
    };
    for (const Case& profile : cases) {
        const size_t before = QueuedRecords().size();
        std::optional<zerra::analytics::ZrException> raised;
        try {
            profile.call();
        } catch (const zerra::analytics::ZrException& error) {
            raised = error;
        }
        const auto records = QueuedRecords();
        if (profile.recordTail.empty()) {
            ASSERT_TRUE(raised) << profile.message;
            EXPECT_EQ(std::string(raised->what()), profile.message);
            EXPECT_EQ(raised->function(), profile.function);
            EXPECT_EQ(records.size(), before);
        } else {
            EXPECT_FALSE(raised) << raised->what();
            ASSERT_EQ(records.size(), before + 1);
            const std::string text = WithPlaceholders(records.back());
            EXPECT_TRUE(text.ends_with(profile.recordTail)) << text;
            EXPECT_EQ(text.find("\"event\""), std::string::npos);
        }
    }
}

}  // namespace
