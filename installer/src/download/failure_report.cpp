#include "download/failure_report.h"

#include <cwchar>
#include <mutex>

#include "app/debug_log.h"

namespace {

std::mutex reporterMutex;
DownloadFailureReporter installedReporter;

}  // namespace

void SetDownloadFailureReporter(DownloadFailureReporter reporter) {
    std::lock_guard lock(reporterMutex);
    installedReporter = std::move(reporter);
}

void ReportLengthProbeFailure(long status) {
    wchar_t reason[200];
    std::swprintf(reason, 200, L"1.获取文件大小的状态码为=%ld；", status);
    DownloadFailureReport report{L"下载失败原因", 0.0, reason, {{L"AB", L"IN"}}};
    DebugLog(L"%ls\r\n", report.reason.c_str());
    DownloadFailureReporter reporter;
    {
        std::lock_guard lock(reporterMutex);
        reporter = installedReporter;
    }
    if (reporter) reporter(report);
}
