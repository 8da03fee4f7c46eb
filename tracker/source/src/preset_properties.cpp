#include "source/src/preset_properties.h"

#include "platform/display.h"

namespace zerra::analytics {

analytics_sdk::PropertiesNode localeProperties(const Locale& locale) {
    analytics_sdk::PropertiesNode node;
    node.SetString("zr_l10n_locale", locale.locale);
    node.SetString("zr_l10n_language", locale.language);
    node.SetString("zr_l10n_country", locale.country);
    return node;
}

analytics_sdk::PropertiesNode presetProperties(const TrackerOptions& options,
                                               const IdentityState& identity,
                                               const Locale& locale) {
    const auto [family, version] = getOsVersionName();
    analytics_sdk::PropertiesNode node;
    node.SetString("zr_app_id", options.appName);
    node.SetString("$app_version", options.appVersion);
    node.SetString("$app_id", options.appName);
    node.SetString("zr_app_store", options.appStore);
    node.SetString("zr_edition", toString(static_cast<Edition>(options.edition)));
    if (!options.dlAppId.empty()) node.SetString("zr_dlapp_id", options.dlAppId);
    if (!options.dlAppVersion.empty()) node.SetString("zr_dlapp_version", options.dlAppVersion);
    node.SetString("zr_app_platform", family);
    node.SetString("zr_track_type", kTrackType);
    node.SetString("zr_sdk_version", kTrackerVersion);
    node.SetString("zr_sdk", kTrackerKind);
    node.SetString("$os", family);
    node.SetString("$os_version", version);
    node.Merge(localeProperties(locale));
    node.SetNumber("$screen_height",
                   int64_t{platform::GetSystemMetrics(platform::SystemMetric::ScreenHeight)});
    node.SetNumber("$screen_width",
                   int64_t{platform::GetSystemMetrics(platform::SystemMetric::ScreenWidth)});
    if (!identity.UserId.empty()) node.SetString("zr_user_id", identity.UserId);
    return node;
}

}  // namespace zerra::analytics
