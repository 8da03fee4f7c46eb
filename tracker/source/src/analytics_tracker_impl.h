#pragma once

#include <memory>
#include <string>

#include "source/src/analytics_tracker.h"
#include "source/src/flush_scheduler.h"
#include "source/src/identity.h"
#include "source/src/track_logger.h"

namespace analytics_sdk {
class PropertiesNode;
}

namespace zerra::analytics {

// The tracker itself. Every violation raises ZrException before anything is
// queued; AnalyticsTrackerWrapper keeps those from the application.
class AnalyticsTrackerImpl : public AnalyticsTracker {
public:
    static constexpr char kDefaultEndpoint[] = "https://analytics.zerrasoft.com/sa?project=pc";

    explicit AnalyticsTrackerImpl(TrackerOptions options);
    // Saves the identity, makes the final flush attempts and stages the rest.
    ~AnalyticsTrackerImpl() override;

    void init();

    void trackActivity(ZrContextProperties& context) override;
    void trackLaunch(ZrContextProperties& context) override;
    void trackLogin(zrEventLogin& event, bool success, const std::string& reason,
                    ZrContextProperties& context) override;
    void trackClick(zrEventClick& event, ZrContextProperties& context) override;
    void trackView(zrEventView& event, ZrContextProperties& context) override;
    void trackCashier(zrEventCashier& event, ZrContextProperties& context) override;
    void trackShare(zrEventShare& event, ZrContextProperties& context) override;
    void trackTask(zrEventTask& event, ZrContextProperties& context) override;
    void trackFile(zrEventFile& event, ZrContextProperties& context) override;
    void trackOrder(zrEventOrder& event, ZrContextProperties& context) override;
    void trackPayment(zrEventPayment& event, ZrContextProperties& context) override;
    void trackUninstall(const std::string& reason, ZrContextProperties& context) override;
    void trackCrash(const std::string& reason) override;
    void trackUpdate(zrEventUpdate& event, ZrContextProperties& context) override;
    void trackAppOpenNotification(AppOpenNotificationRecord* notification,
                                  ZrContextProperties& context) override;
    void setLocale(const std::string& locale) override;
    std::string primaryDistinctId() override;
    TrackLogger* logger() override { return logger_.get(); }

    const ConfigurationPaths& paths() const;

private:
    struct PrivateState {
        ConfigurationPaths paths;
        IdentityState identity;
        std::string localeText;
    };

    // Applies the kind's context entries, queues the record and schedules a pass.
    void Queue(const char* eventName, analytics_sdk::PropertiesNode& node, int kind,
               ZrContextProperties* context, int pendingAdded, bool flush);
    void AddOrderProperties(const zrEventOrder& order, analytics_sdk::PropertiesNode& node);

    TrackerOptions options_;
    std::unique_ptr<NativeTrackLogger> logger_;
    std::unique_ptr<PrivateState> state_;
    FlushScheduler scheduler_;
    bool sdkStarted_ = false;
};

}  // namespace zerra::analytics
