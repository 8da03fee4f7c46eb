#include "sdk/sdk.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "sdk/json_writer.h"
#include "sdk/string_rules.h"

namespace analytics_sdk {
namespace {

constexpr char kLibName[] = "cpp";
constexpr char kLibVersion[] = "0.9";

// Never destroyed: a detached flush pass may still hold the instance while
// the process exits.
std::mutex& instanceMutex = *new std::mutex;
std::shared_ptr<Sdk>& instance = *new std::shared_ptr<Sdk>;

int64_t NowMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Two random digits, three random digits and the last four digits of the
// clock, read back as one integer (leading zeros vanish).
int64_t NewTrackId() {
    const int first = (std::rand() % 99 + 100) % 100;
    const int second = (std::rand() % 999 + 1000) % 1000;
    const int clock = static_cast<int>(NowMilliseconds() % 10000);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d%03d%04d", first, second, clock);
    return std::strtoll(digits, nullptr, 10);
}

bool CheckPropertyKeys(const PropertiesNode& properties) {
    for (const auto& [key, value] : properties.entries()) {
        if (!CheckName(key, "Property Key")) return false;
        if (key == "$time" && value.kind != ValueNode::DATETIME) {
            ReportProblem("The property '$time' should be DateTime type.");
            return false;
        }
        if (key == "$project" && value.kind != ValueNode::STRING) {
            ReportProblem("The property '$project' should be String type.");
            return false;
        }
    }
    return true;
}

PropertiesNode LibProperties() {
    PropertiesNode lib;
    lib.SetString("$lib", kLibName);
    lib.SetString("$lib_version", kLibVersion);
    return lib;
}

PropertiesNode OneString(const std::string& key, const std::string& value) {
    PropertiesNode node;
    node.SetString(key, value);
    return node;
}

PropertiesNode OneInteger(const std::string& key, int64_t value) {
    PropertiesNode node;
    node.SetNumber(key, value);
    return node;
}

PropertiesNode OneDouble(const std::string& key, double value) {
    PropertiesNode node;
    node.SetNumber(key, value);
    return node;
}

}  // namespace

Sdk::Sdk(const std::string& stagingFile, const std::string& serverUrl, std::string distinctId,
         bool isLoginId, long timeoutSeconds)
    : superProperties_(LibProperties()),
      distinctId_(std::move(distinctId)),
      isLoginId_(isLoginId),
      consumer_(stagingFile, std::make_unique<HttpSender>(serverUrl, timeoutSeconds)) {}

bool Sdk::Init(const std::string& stagingFile, const std::string& serverUrl,
               const std::string& distinctId, bool isLoginId) {
    return Init(stagingFile, serverUrl, distinctId, isLoginId, HttpSender::kTimeoutSeconds);
}

bool Sdk::Init(const std::string& stagingFile, const std::string& serverUrl,
               const std::string& distinctId, bool isLoginId, long timeoutSeconds) {
    if (!CheckLength(distinctId, "Distinct ID")) return false;
    std::lock_guard lock(instanceMutex);
    if (instance) return true;
    instance = std::make_shared<Sdk>(stagingFile, serverUrl, distinctId, isLoginId, timeoutSeconds);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return true;
}

void Sdk::Shutdown() {
    std::shared_ptr<Sdk> closing;
    {
        std::lock_guard lock(instanceMutex);
        closing.swap(instance);
    }
    if (closing) closing->consumer_.Close();
}

std::shared_ptr<Sdk> Sdk::Instance() {
    std::lock_guard lock(instanceMutex);
    return instance;
}

bool Sdk::AddRecord(const std::string& type, const std::string& eventName,
                    const PropertiesNode& properties, const std::string& originalId) {
    if (!CheckPropertyKeys(properties)) return false;
    if (type == "track" && !CheckName(eventName, "Event Name")) return false;
    if (type == "track_signup" && !CheckLength(originalId, "Original ID")) return false;

    PropertiesNode recordProperties;
    std::string distinctId;
    bool isLoginId = false;
    {
        std::lock_guard lock(identityMutex_);
        if (type.find("track") != std::string::npos) recordProperties = superProperties_;
        distinctId = distinctId_;
        isLoginId = isLoginId_;
    }
    recordProperties.Merge(properties);

    int64_t time = 0;
    if (const ValueNode* stamp = recordProperties.Find("$time")) {
        time = stamp->seconds * 1000 + stamp->milliseconds;
        recordProperties.Remove("$time");
    } else {
        time = NowMilliseconds();
    }
    std::string project;
    if (const ValueNode* named = recordProperties.Find("$project")) {
        project = named->text;
        recordProperties.Remove("$project");
    }
    if (isLoginId) recordProperties.SetBool("$is_login_id", true);

    PropertiesNode lib = LibProperties();
    lib.SetString("$lib_method", "code");

    utils::ObjectNode record;
    record.SetStringUnchecked("type", type);
    record.SetNumber("time", time);
    record.SetStringUnchecked("distinct_id", distinctId);
    record.SetObject("properties", std::move(recordProperties));
    record.SetObject("lib", std::move(lib));
    record.SetNumber("_track_id", NewTrackId());
    if (!project.empty()) record.SetStringUnchecked("project", project);
    if (type == "track" || type == "track_signup") {
        record.SetStringUnchecked("event", eventName);
    }
    if (type == "track_signup") {
        record.SetStringUnchecked("original_id", originalId);
    }
    consumer_.Add(ToJson(record));
    return true;
}

bool Sdk::Track(const std::string& eventName, const PropertiesNode& properties) {
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->AddRecord("track", eventName, properties, "");
}

bool Sdk::Track(const std::string& eventName) { return Track(eventName, PropertiesNode{}); }

bool Sdk::Login(const std::string& loginId) {
    const std::shared_ptr<Sdk> sdk = Instance();
    if (!sdk || !CheckLength(loginId, "Distinct ID")) return false;
    std::string originalId;
    {
        std::lock_guard lock(sdk->identityMutex_);
        originalId = sdk->distinctId_;
        sdk->distinctId_ = loginId;
        sdk->isLoginId_ = true;
    }
    return sdk->AddRecord("track_signup", "$SignUp", PropertiesNode{}, originalId);
}

bool Sdk::TrackInstallation(const std::string& eventName, const PropertiesNode& properties) {
    PropertiesNode withSource;
    withSource.SetString("$ios_install_source", "");
    withSource.Merge(properties);
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->AddRecord("track", eventName, withSource, "");
}

bool Sdk::ProfileSet(const PropertiesNode& properties) {
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->AddRecord("profile_set", "", properties, "");
}

bool Sdk::ProfileSet(const std::string& key, const std::string& value) {
    return ProfileSet(OneString(key, value));
}

bool Sdk::ProfileSet(const std::string& key, int64_t value) {
    return ProfileSet(OneInteger(key, value));
}

bool Sdk::ProfileSet(const std::string& key, double value) {
    return ProfileSet(OneDouble(key, value));
}

bool Sdk::ProfileSetOnce(const PropertiesNode& properties) {
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->AddRecord("profile_set_once", "", properties, "");
}

bool Sdk::ProfileSetOnce(const std::string& key, const std::string& value) {
    return ProfileSetOnce(OneString(key, value));
}

bool Sdk::ProfileSetOnce(const std::string& key, int64_t value) {
    return ProfileSetOnce(OneInteger(key, value));
}

bool Sdk::ProfileSetOnce(const std::string& key, double value) {
    return ProfileSetOnce(OneDouble(key, value));
}

bool Sdk::ProfileIncrement(const PropertiesNode& properties) {
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->AddRecord("profile_increment", "", properties, "");
}

bool Sdk::ProfileIncrement(const std::string& key, int64_t value) {
    return ProfileIncrement(OneInteger(key, value));
}

bool Sdk::ProfileAppend(const std::string& key, const std::string& value) {
    PropertiesNode node;
    node.SetList(key, {value});
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->AddRecord("profile_append", "", node, "");
}

void Sdk::RegisterSuperProperties(const PropertiesNode& properties) {
    const std::shared_ptr<Sdk> sdk = Instance();
    if (!sdk) return;
    std::lock_guard lock(sdk->identityMutex_);
    sdk->superProperties_.Merge(properties);
}

bool Sdk::FlushAll() {
    const std::shared_ptr<Sdk> sdk = Instance();
    return sdk && sdk->consumer_.FlushAll();
}

}  // namespace analytics_sdk
