#include "source/src/native_user_tracker.h"

#include <map>

#include "sdk/sdk.h"
#include "source/src/zr_exception.h"

namespace zerra::analytics::NativeUserTracker {
namespace {

enum class Operation { None, SetOnce, Set, Increment };

Operation OperationOf(const std::string& key) {
    static const std::map<std::string, Operation> table = [] {
        std::map<std::string, Operation> operations;
        for (const char* key :
             {"zr_label", "zr_os", "zr_os_version", "zr_manufacturer", "zr_model", "zr_last_app_id",
              "zr_last_app_version", "zr_carrier", "zr_last_visit_date", "aurora_pushid",
              "zr_user_name", "zr_user_type", "zr_user_nickname", "zr_user_portrait",
              "zr_user_mobilephone", "zr_user_email", "zr_user_weixin", "zr_user_qq", "zr_user_did",
              "zr_user_created", "zr_user_last_login", "zr_user_last_ip", "zr_user_vip_level",
              "zr_user_vip_enddate", "zr_ip", "zr_country_code", "zr_country", "zr_province",
              "zr_city", "zr_last_paid_date",
              // The activity report sets these two; without them it would always fail.
              "zr_app_store", "zr_app_platform"}) {
            operations[key] = Operation::Set;
        }
        for (const char* key : {"$first_visit_time", "zr_first_visit_date", "$ios_install_source",
                                "zr_first_paid_date"}) {
            operations[key] = Operation::SetOnce;
        }
        for (const char* key : {"zr_visit_count", "zr_paid_count", "zr_consumption"}) {
            operations[key] = Operation::Increment;
        }
        return operations;
    }();
    const auto found = table.find(key);
    return found == table.end() ? Operation::None : found->second;
}

[[noreturn]] void RaiseUnsupported(const char* function, const std::string& key) {
    ZR_RAISE(function, "Not supported user property [" + key + "]!");
}

// Issues the record of a set-once or a set key; false for the other classes.
template <typename... Value>
bool IssueSetRecord(Operation operation, const Value&... value) {
    if (operation == Operation::SetOnce) {
        analytics_sdk::Sdk::ProfileSetOnce(value...);
        return true;
    }
    if (operation == Operation::Set) {
        analytics_sdk::Sdk::ProfileSet(value...);
        return true;
    }
    return false;
}

template <typename Number>
void ProfileNumber(const std::string& key, Number value) {
    const Operation operation = OperationOf(key);
    if (IssueSetRecord(operation, key, value)) return;
    if (operation == Operation::None) RaiseUnsupported("ProfileUserPropertyNumber", key);
    analytics_sdk::PropertiesNode node;
    node.SetNumber(key, value);
    analytics_sdk::Sdk::ProfileIncrement(node);
}

}  // namespace

void ProfileUserPropertyString(const std::string& key, const std::string& value) {
    constexpr char kFunction[] = "ProfileUserPropertyString";
    const Operation operation = OperationOf(key);
    if (IssueSetRecord(operation, key, value)) return;
    if (operation == Operation::None) RaiseUnsupported(kFunction, key);
    ZR_RAISE(kFunction,
             "user property [" + key + "] is string type value, it cannot be accumulated!");
}

void ProfileUserPropertyNumber(const std::string& key, int64_t value) { ProfileNumber(key, value); }

void ProfileUserPropertyNumber(const std::string& key, double value) { ProfileNumber(key, value); }

void ProfileUserPropertyDateTime(const std::string& key, int64_t millisecondsSince1970) {
    constexpr char kFunction[] = "ProfileUserPropertyDateTime";
    analytics_sdk::PropertiesNode node;
    node.SetDateTime(key, millisecondsSince1970 / 1000,
                     static_cast<int>(millisecondsSince1970 % 1000));
    const Operation operation = OperationOf(key);
    if (IssueSetRecord(operation, node)) return;
    if (operation == Operation::None) RaiseUnsupported(kFunction, key);
    ZR_RAISE(kFunction, "user property [" + key + "] is boolean value, it cannot be accumulative!");
}

}  // namespace zerra::analytics::NativeUserTracker
