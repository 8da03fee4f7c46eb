#pragma once

#include <memory>
#include <string>

#include "source/src/event_records.h"
#include "source/src/zr_context_properties.h"

namespace zerra::analytics {

class TrackLogger;

// What the application holds: fifteen typed track operations, each queueing
// one record, plus the locale, the identity and the logger.
class AnalyticsTracker {
public:
    virtual ~AnalyticsTracker() = default;
    virtual void trackActivity(ZrContextProperties& context) = 0;
    virtual void trackLaunch(ZrContextProperties& context) = 0;
    virtual void trackLogin(zrEventLogin& event, bool success, const std::string& reason,
                            ZrContextProperties& context) = 0;
    virtual void trackClick(zrEventClick& event, ZrContextProperties& context) = 0;
    virtual void trackView(zrEventView& event, ZrContextProperties& context) = 0;
    virtual void trackCashier(zrEventCashier& event, ZrContextProperties& context) = 0;
    virtual void trackShare(zrEventShare& event, ZrContextProperties& context) = 0;
    virtual void trackTask(zrEventTask& event, ZrContextProperties& context) = 0;
    virtual void trackFile(zrEventFile& event, ZrContextProperties& context) = 0;
    virtual void trackOrder(zrEventOrder& event, ZrContextProperties& context) = 0;
    virtual void trackPayment(zrEventPayment& event, ZrContextProperties& context) = 0;
    virtual void trackUninstall(const std::string& reason, ZrContextProperties& context) = 0;
    virtual void trackCrash(const std::string& reason) = 0;
    virtual void trackUpdate(zrEventUpdate& event, ZrContextProperties& context) = 0;
    virtual void trackAppOpenNotification(AppOpenNotificationRecord* notification,
                                          ZrContextProperties& context) = 0;
    virtual void setLocale(const std::string& locale) = 0;
    virtual std::string primaryDistinctId() = 0;
    virtual TrackLogger* logger() = 0;
};

// Builds and initialises a tracker; a failed initialisation leaves a tracker
// that queues nothing. Never throws.
std::shared_ptr<AnalyticsTracker> createTracker(const TrackerOptions& options);

}  // namespace zerra::analytics
