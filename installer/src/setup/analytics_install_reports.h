#pragma once

#include "setup/install_presentation.h"

// The flow's task and page reports through the installer's analytics, each
// with the extra property "AB" = "IN".
class AnalyticsInstallReports : public InstallReports {
public:
    void ReportTask(const std::wstring& taskName, float elapsedSeconds,
                    const std::wstring& reason) override;
    void ReportPage() override;
};
