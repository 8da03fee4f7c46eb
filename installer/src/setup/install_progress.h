#pragma once

// The one progress bar of an install: the download fills the first `share` of
// it (the DownloadScale setting), the package's own progress the rest.
namespace InstallProgress {

// Percent shown for a download fraction: trunc(value * share * 100).
int DownloadPercent(double value, double share);

// Each package progress event moves the shown fraction on by 0.15, up to 0.95,
// unless the package reports more; returns the new fraction.
double NextInstallFraction(double shownFraction, double reported);

// Percent shown for an install fraction: trunc(((1 - share) * fraction + share) * 100).
int InstallPercent(double fraction, double share);

}  // namespace InstallProgress
