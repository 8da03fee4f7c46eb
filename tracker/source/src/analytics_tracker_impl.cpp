#include "source/src/analytics_tracker_impl.h"

#include <chrono>
#include <cstdio>

#include "sdk/sdk.h"
#include "source/src/environment.h"
#include "source/src/native_user_tracker.h"
#include "source/src/preset_properties.h"
#include "source/src/zr_exception.h"

namespace zerra::analytics {
namespace {

using analytics_sdk::PropertiesNode;
using analytics_sdk::Sdk;

constexpr char kInstallSource[] = "android_id=123##imei=1234##mac=123";

int64_t NowMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void SetText(PropertiesNode& node, const std::string& key, const std::string& value) {
    if (!value.empty()) node.SetString(key, value);
}

template <typename Number>
void SetOptionalInt(PropertiesNode& node, const std::string& key,
                    const std::shared_ptr<Number>& value) {
    if (value) node.SetNumber(key, static_cast<int64_t>(*value));
}

template <typename Number>
void SetOptionalNumber(PropertiesNode& node, const std::string& key,
                       const std::shared_ptr<Number>& value) {
    if (value) node.SetNumber(key, static_cast<double>(*value));
}

// Results are sent only for Success, Cancelled and Fail.
void SetResult(PropertiesNode& node, const std::string& key,
               const std::shared_ptr<ZrResult>& result) {
    if (result && static_cast<int>(*result) >= 0 && static_cast<int>(*result) <= 2) {
        node.SetString(key, toString(*result));
    }
}

void SetPositiveAmount(PropertiesNode& node, const std::string& key, double amount) {
    if (amount > 0) node.SetNumber(key, amount);
}

std::string FormatAmount(double amount) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", amount);
    return text;
}

}  // namespace

AnalyticsTrackerImpl::AnalyticsTrackerImpl(TrackerOptions options) : options_(std::move(options)) {}

AnalyticsTrackerImpl::~AnalyticsTrackerImpl() {
    if (state_) saveIdentity(state_->paths.configurationFile, state_->identity);
    if (sdkStarted_) scheduler_.Close();
    if (logger_) logger_->close();
}

void AnalyticsTrackerImpl::init() {
    constexpr char kFunction[] = "init";
    if (options_.appName.empty()) ZR_RAISE(kFunction, "appName is empty");
    if (options_.appVersion.empty()) ZR_RAISE(kFunction, "appVersion is empty");
    if (options_.appStore.empty()) ZR_RAISE(kFunction, "appStore is empty");
    auto state = std::make_unique<PrivateState>();
    state->paths = locateConfiguration(options_.appName);
    if (options_.endpointUrl.empty()) options_.endpointUrl = kDefaultEndpoint;
    state->identity = loadIdentity(state->paths.configurationFile);
    applyEndpoint(state->paths.configurationFile, options_.endpointUrl, state->identity);
    if (!options_.logFilePath.empty()) state->paths.logFile = options_.logFilePath;
    logger_ = std::make_unique<NativeTrackLogger>();
    logger_->setPath(state->paths.logFile);
    state_ = std::move(state);

    const IdentityState& identity = state_->identity;
    const bool loggedIn = identity.isLogined;
    // The data directory itself is no file; records left at shutdown go to a
    // file inside it and are sent by the next run.
    const std::string staging = state_->paths.dataDirectory + options_.appName + "_ZRSStaging.txt";
    if (!Sdk::Init(staging, options_.endpointUrl, loggedIn ? identity.UserId : identity.DistinctId,
                   loggedIn, options_.requestTimeoutSeconds)) {
        ZR_RAISE(kFunction, "analytics_sdk::Sdk::Init is failed");
    }
    sdkStarted_ = true;
    Sdk::RegisterSuperProperties(
        presetProperties(options_, identity, localeInUse(state_->localeText)));
    writeUninstallInfo(state_->paths.configurationFile, options_.appStore, options_.appName,
                       options_.appVersion);
}

const ConfigurationPaths& AnalyticsTrackerImpl::paths() const {
    static const ConfigurationPaths none;
    return state_ ? state_->paths : none;
}

void AnalyticsTrackerImpl::Queue(const char* eventName, PropertiesNode& node, int kind,
                                 ZrContextProperties* context, int pendingAdded, bool flush) {
    if (context != nullptr) context->apply(kind, node);
    Sdk::Track(eventName, node);
    scheduler_.AddPending(pendingAdded);
    scheduler_.Schedule(flush);
}

void AnalyticsTrackerImpl::trackActivity(ZrContextProperties& context) {
    const auto [family, version] = getOsVersionName();
    PropertiesNode node;
    context.apply(Activity, node);
    node.SetString("zr_app_store", options_.appStore);
    node.SetString("zr_app_id", options_.appName);
    node.SetString("$app_id", options_.appName);
    node.SetString("$app_version", options_.appVersion);
    node.SetString("$ios_install_source", kInstallSource);
    node.SetString("$user_agent", getUserAgent());
    node.SetBool("$is_first_time", true);
    node.SetString("$os", family);
    node.SetString("$os_version", version);
    Sdk::TrackInstallation("ZrEventActivity", node);

    const int64_t now = NowMilliseconds();
    NativeUserTracker::ProfileUserPropertyDateTime("$first_visit_time", now);
    NativeUserTracker::ProfileUserPropertyDateTime("zr_first_visit_date", now);
    NativeUserTracker::ProfileUserPropertyDateTime("zr_last_visit_date", now);
    NativeUserTracker::ProfileUserPropertyString("zr_os", family);
    NativeUserTracker::ProfileUserPropertyString("zr_os_version", version);
    NativeUserTracker::ProfileUserPropertyString("zr_app_store", options_.appStore);
    NativeUserTracker::ProfileUserPropertyString("zr_app_platform", family);
    NativeUserTracker::ProfileUserPropertyString("zr_last_app_id", options_.appName);
    NativeUserTracker::ProfileUserPropertyString("zr_last_app_version", options_.appVersion);
    NativeUserTracker::ProfileUserPropertyString("$ios_install_source", kInstallSource);
    scheduler_.AddPending(9);
    scheduler_.Schedule(true);
}

void AnalyticsTrackerImpl::trackLaunch(ZrContextProperties& context) {
    PropertiesNode node;
    if (context.apply(PaLaunchPal, node)) {
        Sdk::Track("ZrEventLaunch", node);
    } else {
        Sdk::Track("ZrEventLaunch");
    }
    if (state_ && !state_->identity.UserId.empty()) {
        const int64_t now = NowMilliseconds();
        NativeUserTracker::ProfileUserPropertyDateTime("$first_visit_time", now);
        NativeUserTracker::ProfileUserPropertyDateTime("zr_first_visit_date", now);
        NativeUserTracker::ProfileUserPropertyDateTime("zr_last_visit_date", now);
    }
    scheduler_.AddPending(4);
    scheduler_.Schedule(true);
}

void AnalyticsTrackerImpl::trackLogin(zrEventLogin& event, bool success, const std::string& reason,
                                      ZrContextProperties& context) {
    PropertiesNode node;
    SetText(node, "zr_user_id", event.loginId);
    SetText(node, "zr_login_id", event.loginId);
    node.SetString("zr_type", toString(event.type));
    node.SetString("zr_result", success ? "Success" : "Fail");
    SetText(node, "zr_reason", reason);
    if (!event.loginId.empty()) node.SetBool("$is_first_time", true);
    context.apply(Login, node);
    Sdk::Track("ZrEventLogin", node);

    if (!event.loginId.empty() && state_) {
        IdentityState& identity = state_->identity;
        identity.UserVipLevel = event.vipLevel;
        if (!identity.isLogined || identity.UserId.empty()) {
            Sdk::Login(event.loginId);
            identity.isLogined = true;
            identity.UserId = event.loginId;
            identity.DistinctId = event.loginId;
            PropertiesNode user;
            user.SetString("zr_user_id", event.loginId);
            Sdk::RegisterSuperProperties(user);
        }
        saveIdentity(state_->paths.configurationFile, identity);
    }
    scheduler_.Schedule(true);
}

void AnalyticsTrackerImpl::trackClick(zrEventClick& event, ZrContextProperties& context) {
    const std::string clickType = toString(event.clickType);
    if (event.name.empty()) ZR_RAISE("trackClick", "zrEventClick.name is empty");
    PropertiesNode node;
    node.SetString("zr_name", event.name);
    node.SetString("zr_click_type", clickType);
    SetText(node, "zr_aname", event.aname);
    SetText(node, "zr_title", event.title);
    SetText(node, "zr_position", event.position);
    SetText(node, "zr_module", event.module);
    SetText(node, "zr_tab_name", event.tabName);
    SetOptionalInt(node, "zr_tab_index", event.tabIndex);
    SetText(node, "zr_banner_name", event.bannerName);
    SetOptionalInt(node, "zr_banner_index", event.bannerIndex);
    node.SetBool("$is_first_time", true);
    Queue("ZrEventClick", node, Click, &context, 1, false);
}

void AnalyticsTrackerImpl::trackView(zrEventView& event, ZrContextProperties& context) {
    if (event.name.empty()) ZR_RAISE("trackView", "zrEventView.name is empty");
    PropertiesNode node;
    node.SetString("zr_name", event.name);
    SetText(node, "zr_aname", event.aname);
    SetText(node, "zr_title", event.title);
    SetText(node, "zr_position", event.position);
    node.SetBool("$is_first_time", true);
    Queue("ZrEventView", node, View, &context, 1, false);
}

void AnalyticsTrackerImpl::trackCashier(zrEventCashier& event, ZrContextProperties& context) {
    if (event.cashierName.empty()) {
        ZR_RAISE("trackCashier", "zrEventCashier.zr_cashier_name is empty");
    }
    PropertiesNode node;
    node.SetString("zr_cashier_name", event.cashierName);
    SetText(node, "zr_cashier_title", event.cashierTitle);
    SetText(node, "zr_subitem", event.subitem);
    node.SetBool("$is_first_time", true);
    Queue("ZrEventCashier", node, Cashier, &context, 1, false);
}

void AnalyticsTrackerImpl::trackShare(zrEventShare& event, ZrContextProperties& context) {
    PropertiesNode node;
    SetText(node, "zr_aname", event.aname);
    SetText(node, "zr_channel", event.channel);
    SetText(node, "zr_position", event.position);
    SetText(node, "zr_shared_name", event.sharedName);
    if (event.result) node.SetString("zr_result", toString(*event.result));
    node.SetBool("$is_first_time", true);
    Queue("ZrEventShare", node, Share, &context, 1, false);
}

void AnalyticsTrackerImpl::trackTask(zrEventTask& event, ZrContextProperties& context) {
    if (event.name.empty()) ZR_RAISE("trackTask", "zrEventTask.name is empty");
    PropertiesNode node;
    node.SetString("zr_task_name", event.name);
    SetOptionalNumber(node, "zr_task_elapsed", event.elapsed);
    SetResult(node, "zr_task_result", event.result);
    SetText(node, "zr_aname", event.aname);
    SetText(node, "zr_reason", event.reason);
    node.SetBool("$is_first_time", true);
    Queue("ZrEventTask", node, Task, &context, 0, false);
}

void AnalyticsTrackerImpl::trackFile(zrEventFile& event, ZrContextProperties& context) {
    if (event.aname.empty()) ZR_RAISE("trackFile", "zrEventFile.aname is empty");
    PropertiesNode node;
    node.SetString("zr_aname", event.aname);
    if (event.ioType) node.SetString("zr_io", toString(*event.ioType));
    SetResult(node, "zr_result", event.result);
    SetText(node, "zr_name", event.name);
    SetText(node, "zr_ext", event.extension);
    if (event.size && *event.size > 0) node.SetNumber("zr_size", *event.size);
    SetOptionalInt(node, "zr_duration", event.duration);
    SetOptionalNumber(node, "zr_fps", event.fps);
    SetOptionalNumber(node, "zr_bps", event.bps);
    SetOptionalInt(node, "zr_width", event.width);
    SetOptionalInt(node, "zr_height", event.height);
    SetOptionalInt(node, "zr_depth", event.depth);
    node.SetBool("$is_first_time", true);
    Queue("ZrEventFile", node, File, &context, 1, false);
}

void AnalyticsTrackerImpl::AddOrderProperties(const zrEventOrder& order, PropertiesNode& node) {
    SetText(node, "zr_subitem", order.subitem);
    SetText(node, "zr_sku", order.sku);
    SetText(node, "zr_voucher_id", order.voucherId);
    SetOptionalInt(node, "zr_campaign_code", order.campaignCode);
    SetPositiveAmount(node, "zr_cur_original_amount", order.currentOriginalAmount);
    SetPositiveAmount(node, "zr_cur_paid_amount", order.currentPaidAmount);
    SetText(node, "zr_cashier_name", order.cashierName);
    SetText(node, "zr_cashier_title", order.cashierTitle);
}

void AnalyticsTrackerImpl::trackOrder(zrEventOrder& event, ZrContextProperties& context) {
    constexpr char kFunction[] = "trackOrder";
    if (event.suitId.empty()) ZR_RAISE(kFunction, "zrEventOrder.zrSuitId is empty");
    if (!event.currency) ZR_RAISE(kFunction, "zrEventOrder.zrCurrency is nullptr");
    if (event.originalAmount <= 0 || event.paidAmount <= 0) {
        ZR_RAISE(kFunction, "zrEventOrder.originalAmount is less than zero");
    }
    PropertiesNode node;
    node.SetString("zr_suit_id", event.suitId);
    node.SetString("zr_currency", toString(*event.currency));
    node.SetNumber("zr_paid_amount", event.paidAmount);
    node.SetNumber("zr_original_amount", event.originalAmount);
    SetText(node, "zr_order_id", event.orderId);
    AddOrderProperties(event, node);
    node.SetBool("$is_first_time", true);
    Queue("ZrEventOrder", node, Order, &context, 1, false);
}

void AnalyticsTrackerImpl::trackPayment(zrEventPayment& event, ZrContextProperties& context) {
    constexpr char kFunction[] = "trackPayment";
    if (event.orderId.empty()) ZR_RAISE(kFunction, "zrEventPayment.zrOrderId is empty");
    if (event.paidAmount < 0) {
        ZR_RAISE(kFunction, "paidAmount = " + FormatAmount(event.paidAmount) + " is invalid");
    }
    if (event.originalAmount < 0) {
        ZR_RAISE(kFunction,
                 "originalAmount = " + FormatAmount(event.originalAmount) + " is invalid");
    }
    if (!event.result || (*event.result != ZrResult::Success && *event.result != ZrResult::Fail)) {
        ZR_RAISE(kFunction, "zrEventPayment.result is invalid");
    }
    PropertiesNode node;
    node.SetString("zr_order_id", event.orderId);
    node.SetString("zr_paid_platform", toString(event.paidPlatform));
    if (event.currency) node.SetString("zr_currency", toString(*event.currency));
    node.SetNumber("zr_paid_amount", event.paidAmount);
    node.SetNumber("zr_original_amount", event.originalAmount);
    node.SetString("zr_result", toString(*event.result));
    SetText(node, "zr_suit_id", event.suitId);
    if (event.iapType) node.SetString("zr_iap_type", toString(*event.iapType));
    SetText(node, "zr_used_voucher_id", event.usedVoucherId);
    AddOrderProperties(event, node);
    node.SetBool("$is_first_time", true);
    context.apply(Payment, node);
    Sdk::Track("ZrEventPayment", node);

    const int64_t now = NowMilliseconds();
    NativeUserTracker::ProfileUserPropertyNumber("zr_paid_count", int64_t{1});
    NativeUserTracker::ProfileUserPropertyNumber("zr_consumption", event.paidAmount);
    NativeUserTracker::ProfileUserPropertyDateTime("zr_first_paid_date", now);
    NativeUserTracker::ProfileUserPropertyDateTime("zr_last_paid_date", now);
    if (*event.result == ZrResult::Success && state_) {
        state_->identity.UserVipLevel = 1;
        saveIdentity(state_->paths.configurationFile, state_->identity);
    }
    scheduler_.AddPending(4);
    scheduler_.Schedule(true);
}

void AnalyticsTrackerImpl::trackUninstall(const std::string& reason, ZrContextProperties& context) {
    PropertiesNode node;
    SetText(node, "zr_uninstall_reason", reason);
    Queue("ZrEventUninstall", node, Uninstall, &context, 0, true);
}

void AnalyticsTrackerImpl::trackCrash(const std::string& reason) {
    PropertiesNode node;
    SetText(node, "app_crashed_reason", reason);
    Queue("AppCrashed", node, Crashed, nullptr, 0, true);
}

void AnalyticsTrackerImpl::trackUpdate(zrEventUpdate& event, ZrContextProperties& context) {
    const std::string op = toString(event.op);
    const bool ending = event.op == ZrUpdateOp::DownloadEnd || event.op == ZrUpdateOp::UpgrateEnd;
    if (ending && !event.result) ZR_RAISE("trackUpdate", "Unknown updateResultInfo info");
    if (ending && !event.elapsed) ZR_RAISE("trackUpdate", "invalid elapsed info");
    PropertiesNode node;
    node.SetString("zr_update_op", op);
    if (event.op == ZrUpdateOp::UpdateCheck) {
        node.SetString("zr_update_result", event.result ? toString(*event.result) : "");
    }
    if (ending) {
        node.SetString("zr_update_result", toString(*event.result));
        node.SetNumber("zr_elapsed", static_cast<double>(*event.elapsed));
    }
    if (event.op == ZrUpdateOp::UpgrateEnd) node.SetBool("$is_first_time", true);
    Queue("ZrEventUpdate", node, Update, &context, 0, true);
}

void AnalyticsTrackerImpl::trackAppOpenNotification(AppOpenNotificationRecord* notification,
                                                    ZrContextProperties& context) {
    constexpr char kFunction[] = "trackAppOpenNotification";
    if (notification == nullptr) ZR_RAISE(kFunction, "&appOpenNotification is nullptr");
    if (notification->planId.empty()) ZR_RAISE(kFunction, "planID is emptry");
    if (notification->planType.empty()) ZR_RAISE(kFunction, "planType is emptry");
    if (notification->msgTitle.empty()) ZR_RAISE(kFunction, "msgTitle is emptry");
    PropertiesNode node;
    SetText(node, "$sf_msg_title", notification->msgTitle);
    SetText(node, "$sf_msg_content", notification->msgContent);
    SetText(node, "$sf_link_url", notification->linkUrl);
    SetText(node, "$sf_plan_id", notification->planId);
    SetText(node, "$sf_audience_id", notification->audienceId);
    SetText(node, "$sf_plan_strategy_id", notification->planStrategyId);
    SetText(node, "$sf_plan_type", notification->planType);
    SetText(node, "$sf_strategy_unit_id", notification->strategyUnitId);
    node.SetBool("$is_first_time", true);
    Queue("AppOpenNotification", node, AppOpenNotification, &context, 0, false);
}

void AnalyticsTrackerImpl::setLocale(const std::string& locale) {
    if (!state_) return;
    state_->localeText = locale;
    Sdk::RegisterSuperProperties(localeProperties(localeInUse(locale)));
}

std::string AnalyticsTrackerImpl::primaryDistinctId() {
    return state_ ? state_->identity.PrimaryDistinctId : std::string();
}

}  // namespace zerra::analytics
