#include "setup/install_progress.h"

#include <algorithm>
#include <cmath>

namespace InstallProgress {
namespace {

// The bar shows 0 to 100; a package that reports beyond 1 must not push it over.
int Clamped(double percent) {
    if (!std::isfinite(percent)) return 0;
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

}  // namespace

int DownloadPercent(double value, double share) { return Clamped(value * share * 100.0); }

double NextInstallFraction(double shownFraction, double reported) {
    double fraction = std::min(shownFraction + 0.15, 0.95);
    if (reported > fraction) fraction = reported;
    return fraction;
}

int InstallPercent(double fraction, double share) {
    return Clamped(((1.0 - share) * fraction + share) * 100.0);
}

}  // namespace InstallProgress
