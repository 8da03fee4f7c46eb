#include "setup/analytics_install_reports.h"

#include "app/analytics_reports.h"

void AnalyticsInstallReports::ReportTask(const std::wstring& taskName, float elapsedSeconds,
                                         const std::wstring& reason) {
    ::ReportTask(taskName, elapsedSeconds, reason, {{L"AB", L"IN"}});
}

void AnalyticsInstallReports::ReportPage() { ::ReportPage({{L"AB", L"IN"}}); }
