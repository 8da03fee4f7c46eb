#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "sdk/object_node.h"
#include "sdk/record_consumer.h"

namespace analytics_sdk {

// The process-wide record layer. Every operation does nothing while no
// instance exists; record operations report whether a record was queued.
class Sdk {
public:
    static bool Init(const std::string& stagingFile, const std::string& serverUrl,
                     const std::string& distinctId, bool isLoginId);
    // Init with a request timeout other than the sender's three seconds.
    static bool Init(const std::string& stagingFile, const std::string& serverUrl,
                     const std::string& distinctId, bool isLoginId, long timeoutSeconds);
    static void Shutdown();

    static bool Track(const std::string& eventName, const PropertiesNode& properties);
    static bool Track(const std::string& eventName);
    static bool Login(const std::string& loginId);
    static bool TrackInstallation(const std::string& eventName, const PropertiesNode& properties);

    static bool ProfileSet(const PropertiesNode& properties);
    static bool ProfileSet(const std::string& key, const std::string& value);
    static bool ProfileSet(const std::string& key, int64_t value);
    static bool ProfileSet(const std::string& key, double value);
    static bool ProfileSetOnce(const PropertiesNode& properties);
    static bool ProfileSetOnce(const std::string& key, const std::string& value);
    static bool ProfileSetOnce(const std::string& key, int64_t value);
    static bool ProfileSetOnce(const std::string& key, double value);
    static bool ProfileIncrement(const PropertiesNode& properties);
    static bool ProfileIncrement(const std::string& key, int64_t value);
    static bool ProfileAppend(const std::string& key, const std::string& value);

    static void RegisterSuperProperties(const PropertiesNode& properties);

    // The instance's RecordConsumer::FlushAll; false when there is no instance.
    static bool FlushAll();
    // The live instance, held for as long as the caller keeps it.
    static std::shared_ptr<Sdk> Instance();

    RecordConsumer& consumer() { return consumer_; }

    Sdk(const std::string& stagingFile, const std::string& serverUrl, std::string distinctId,
        bool isLoginId, long timeoutSeconds);

private:
    bool AddRecord(const std::string& type, const std::string& eventName,
                   const PropertiesNode& properties, const std::string& originalId);

    std::mutex identityMutex_;  // guards the three fields below
    PropertiesNode superProperties_;
    std::string distinctId_;
    bool isLoginId_;
    RecordConsumer consumer_;
};

}  // namespace analytics_sdk
