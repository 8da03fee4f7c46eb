#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A task report of the download path for the analytics layer ("下载失败原因"
// when a length probe sees no usable status). The download code knows nothing
// of analytics: start-up installs the reporter that turns these into tracker
// events; without one a report only reaches the trace.
struct DownloadFailureReport {
    std::wstring task;
    double elapsedSeconds = 0.0;
    std::wstring reason;
    std::vector<std::pair<std::wstring, std::wstring>> extraProperties;
};

using DownloadFailureReporter = std::function<void(const DownloadFailureReport&)>;

void SetDownloadFailureReporter(DownloadFailureReporter reporter);

// The report a length probe makes when the status is unknown (0) or outside
// 200 to 399.
void ReportLengthProbeFailure(long status);
