#include "app/analytics_reports.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "app/debug_log.h"
#include "app/install_settings.h"
#include "platform/text.h"
#include "source/src/analytics_tracker.h"
#include "source/src/zr_exception.h"

namespace {

using zerra::analytics::AnalyticsTracker;
using zerra::analytics::ZrContextProperties;
using Report = std::function<void(AnalyticsTracker&)>;

// Reports of a run that wait for the tracker: start-up makes at most a few.
constexpr size_t kMaxEarlyReports = 64;

enum class TrackerPhase { NotYetCreated, Live, Released };

std::mutex trackerMutex;
// Never destroyed at exit: when the option switched the reports off after
// set-up, start-up skips the release and the queued records are not sent.
std::shared_ptr<AnalyticsTracker>& analyticsTracker = *new std::shared_ptr<AnalyticsTracker>;
TrackerPhase phase = TrackerPhase::NotYetCreated;
std::vector<Report> earlyReports;

std::string Utf8(const std::wstring& text) {
    return platform::WideToMultiByte(text, platform::kCodePageUtf8);
}

// Runs the report through the tracker, or keeps it until the tracker exists.
void Deliver(Report report) {
    std::shared_ptr<AnalyticsTracker> tracker;
    {
        std::lock_guard lock(trackerMutex);
        if (phase == TrackerPhase::NotYetCreated) {
            if (earlyReports.size() < kMaxEarlyReports) earlyReports.push_back(std::move(report));
            return;
        }
        tracker = analyticsTracker;
    }
    if (tracker) report(*tracker);
}

// A malformed A/B value drops the value, not the report.
std::unique_ptr<ZrContextProperties> ContextFor(const ReportExtras& extras, int kind) {
    auto context = std::make_unique<ZrContextProperties>();
    const auto found = extras.find(L"AB");
    if (found == extras.end()) return context;
    const std::string value = Utf8(found->second);
    try {
        if (ZrContextProperties::isValidABValue(value))
            context->setProperty("zrc_ab", value, {kind});
    } catch (const zerra::analytics::ZrException& error) {
        DebugLog(L"A/B value %hs left out: %hs\r\n", value.c_str(), error.what());
    }
    return context;
}

bool Enabled() { return InstallSettings::Instance().IsEnableAppAnalytics; }

}  // namespace

void SetUpAnalytics() {
    const InstallSettings& settings = InstallSettings::Instance();
    if (!settings.IsEnableAppAnalytics) {
        // No tracker will come in this run: nothing is kept for one.
        std::lock_guard lock(trackerMutex);
        phase = TrackerPhase::Released;
        earlyReports.clear();
        return;
    }
    zerra::analytics::TrackerOptions options;
    options.appName = Utf8(settings.ProductName + settings.DlAppNameSuffix);
    options.appVersion = Utf8(settings.ProductVersion);
    options.appStore = Utf8(settings.ExeFileName);
    options.dlAppId = Utf8(settings.ProductName);
    options.dlAppVersion = Utf8(settings.DlAppVersion);
    options.edition = 0;
    options.endpointUrl = Utf8(settings.AnalyticsUrl);
    std::shared_ptr<AnalyticsTracker> tracker = zerra::analytics::createTracker(options);
    std::vector<Report> waiting;
    {
        std::lock_guard lock(trackerMutex);
        if (phase == TrackerPhase::Live) return;
        analyticsTracker = tracker;
        phase = TrackerPhase::Live;
        waiting.swap(earlyReports);
    }
    for (const Report& report : waiting) report(*tracker);
}

void ReportTask(const std::wstring& taskName, float elapsedSeconds, const std::wstring& reason,
                ReportExtras extras) {
    if (!Enabled()) return;
    Deliver([name = Utf8(taskName), elapsedSeconds, reason = Utf8(reason),
             extras = std::move(extras)](AnalyticsTracker& tracker) {
        auto context = ContextFor(extras, zerra::analytics::Task);
        zerra::analytics::zrEventTask task;
        task.name = name;
        task.reason = reason;
        task.elapsed = std::make_shared<float>(elapsedSeconds);
        task.result =
            std::make_shared<zerra::analytics::ZrResult>(zerra::analytics::ZrResult::Success);
        tracker.trackTask(task, *context);
    });
}

void ReportClick(ReportExtras extras, const std::wstring& buttonName) {
    if (!Enabled()) return;
    Deliver([name = Utf8(buttonName), extras = std::move(extras)](AnalyticsTracker& tracker) {
        auto context = ContextFor(extras, zerra::analytics::Click);
        zerra::analytics::zrEventClick click;
        click.name = name;
        click.clickType = zerra::analytics::ClickType::Button;
        tracker.trackClick(click, *context);
    });
}

void ReportPage(ReportExtras extras) {
    if (!Enabled()) return;
    Deliver([extras = std::move(extras)](AnalyticsTracker& tracker) {
        auto context = ContextFor(extras, zerra::analytics::View);
        zerra::analytics::zrEventView view;
        view.name = "安装中";
        tracker.trackView(view, *context);
    });
}

void ReportCrash() {
    if (!Enabled()) return;
    Deliver([](AnalyticsTracker& tracker) { tracker.trackCrash("崩溃"); });
}

void ReleaseAnalytics() {
    std::shared_ptr<AnalyticsTracker> releasing;
    {
        std::lock_guard lock(trackerMutex);
        releasing.swap(analyticsTracker);
        phase = TrackerPhase::Released;
        earlyReports.clear();
    }
    // The last reference goes here, on the caller's thread: the tracker's
    // shutdown sends what it can.
    releasing.reset();
}
