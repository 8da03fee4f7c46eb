#pragma once

#include <memory>

#include "source/src/analytics_tracker_impl.h"

namespace zerra::analytics {

// The exception barrier: every track operation runs inside a catch-all, so
// that no analytics failure reaches the application.
class AnalyticsTrackerWrapper : public AnalyticsTracker {
public:
    explicit AnalyticsTrackerWrapper(std::unique_ptr<AnalyticsTrackerImpl> impl);

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
    TrackLogger* logger() override { return nullptr; }

private:
    template <typename Call>
    void Guarded(const char* operation, Call&& call);

    std::unique_ptr<AnalyticsTrackerImpl> impl_;
};

}  // namespace zerra::analytics
