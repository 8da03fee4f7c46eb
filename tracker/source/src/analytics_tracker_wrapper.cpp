#include "source/src/analytics_tracker_wrapper.h"

#include <cstdio>

namespace zerra::analytics {

std::shared_ptr<AnalyticsTracker> createTracker(const TrackerOptions& options) {
    auto impl = std::make_unique<AnalyticsTrackerImpl>(options);
    try {
        impl->init();
    } catch (...) {
        // A tracker that could not start still answers every call; it queues nothing.
    }
    return std::make_shared<AnalyticsTrackerWrapper>(std::move(impl));
}

AnalyticsTrackerWrapper::AnalyticsTrackerWrapper(std::unique_ptr<AnalyticsTrackerImpl> impl)
    : impl_(std::move(impl)) {}

template <typename Call>
void AnalyticsTrackerWrapper::Guarded(const char* operation, Call&& call) {
    if (!impl_) return;
    try {
        call(*impl_);
    } catch (...) {
        if (impl_->logger() != nullptr) {
            const std::string line = std::string("Failed to ") + operation + "\n";
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fflush(stdout);
        }
    }
}

void AnalyticsTrackerWrapper::trackActivity(ZrContextProperties& context) {
    Guarded("trackActivity", [&](AnalyticsTrackerImpl& impl) { impl.trackActivity(context); });
}

void AnalyticsTrackerWrapper::trackLaunch(ZrContextProperties& context) {
    Guarded("trackLaunch", [&](AnalyticsTrackerImpl& impl) { impl.trackLaunch(context); });
}

void AnalyticsTrackerWrapper::trackLogin(zrEventLogin& event, bool success,
                                         const std::string& reason, ZrContextProperties& context) {
    Guarded("trackLogin",
            [&](AnalyticsTrackerImpl& impl) { impl.trackLogin(event, success, reason, context); });
}

void AnalyticsTrackerWrapper::trackClick(zrEventClick& event, ZrContextProperties& context) {
    Guarded("trackClick", [&](AnalyticsTrackerImpl& impl) { impl.trackClick(event, context); });
}

void AnalyticsTrackerWrapper::trackView(zrEventView& event, ZrContextProperties& context) {
    Guarded("trackView", [&](AnalyticsTrackerImpl& impl) { impl.trackView(event, context); });
}

void AnalyticsTrackerWrapper::trackCashier(zrEventCashier& event, ZrContextProperties& context) {
    Guarded("trackCashier", [&](AnalyticsTrackerImpl& impl) { impl.trackCashier(event, context); });
}

void AnalyticsTrackerWrapper::trackShare(zrEventShare& event, ZrContextProperties& context) {
    Guarded("trackShare", [&](AnalyticsTrackerImpl& impl) { impl.trackShare(event, context); });
}

void AnalyticsTrackerWrapper::trackTask(zrEventTask& event, ZrContextProperties& context) {
    Guarded("trackTask", [&](AnalyticsTrackerImpl& impl) { impl.trackTask(event, context); });
}

void AnalyticsTrackerWrapper::trackFile(zrEventFile& event, ZrContextProperties& context) {
    Guarded("trackFile", [&](AnalyticsTrackerImpl& impl) { impl.trackFile(event, context); });
}

void AnalyticsTrackerWrapper::trackOrder(zrEventOrder& event, ZrContextProperties& context) {
    Guarded("trackOrder", [&](AnalyticsTrackerImpl& impl) { impl.trackOrder(event, context); });
}

void AnalyticsTrackerWrapper::trackPayment(zrEventPayment& event, ZrContextProperties& context) {
    Guarded("trackPayment", [&](AnalyticsTrackerImpl& impl) { impl.trackPayment(event, context); });
}

void AnalyticsTrackerWrapper::trackUninstall(const std::string& reason,
                                             ZrContextProperties& context) {
    Guarded("trackUninstall",
            [&](AnalyticsTrackerImpl& impl) { impl.trackUninstall(reason, context); });
}

void AnalyticsTrackerWrapper::trackCrash(const std::string& reason) {
    Guarded("trackCrash", [&](AnalyticsTrackerImpl& impl) { impl.trackCrash(reason); });
}

void AnalyticsTrackerWrapper::trackUpdate(zrEventUpdate& event, ZrContextProperties& context) {
    Guarded("trackUpdate", [&](AnalyticsTrackerImpl& impl) { impl.trackUpdate(event, context); });
}

void AnalyticsTrackerWrapper::trackAppOpenNotification(AppOpenNotificationRecord* notification,
                                                       ZrContextProperties& context) {
    Guarded("trackAppOpenNotification", [&](AnalyticsTrackerImpl& impl) {
        impl.trackAppOpenNotification(notification, context);
    });
}

void AnalyticsTrackerWrapper::setLocale(const std::string& locale) {
    if (impl_) impl_->setLocale(locale);
}

std::string AnalyticsTrackerWrapper::primaryDistinctId() {
    return impl_ ? impl_->primaryDistinctId() : std::string();
}

}  // namespace zerra::analytics
