#pragma once

#include "sdk/object_node.h"
#include "source/src/environment.h"
#include "source/src/event_records.h"
#include "source/src/identity.h"

namespace zerra::analytics {

inline constexpr char kTrackType[] = "Client";
inline constexpr char kTrackerVersion[] = "3.3.8";
inline constexpr char kTrackerKind[] = "WindowsCPP";

// The properties every "track" record carries, registered once at start.
// Raises "Unknown edition [<n>]!" for an edition other than 0 or 1.
analytics_sdk::PropertiesNode presetProperties(const TrackerOptions& options,
                                               const IdentityState& identity, const Locale& locale);

// "zr_l10n_locale", "zr_l10n_language" and "zr_l10n_country".
analytics_sdk::PropertiesNode localeProperties(const Locale& locale);

}  // namespace zerra::analytics
