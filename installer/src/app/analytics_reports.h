#pragma once

#include <map>
#include <string>

// The installer's analytics reports. Each is gated on IsEnableAppAnalytics,
// read anew at every call, and never reports a failure. A report made before
// the tracker exists is kept and sent once SetUpAnalytics has created it;
// after ReleaseAnalytics reports are dropped.

// Report extras: only "AB" is read, the A/B group attached to the record.
using ReportExtras = std::map<std::wstring, std::wstring>;

// Creates the process-wide tracker from the install settings.
void SetUpAnalytics();
void ReportTask(const std::wstring& taskName, float elapsedSeconds, const std::wstring& reason,
                ReportExtras extras);
void ReportClick(ReportExtras extras, const std::wstring& buttonName);
// The page name is always "安装中".
void ReportPage(ReportExtras extras);
void ReportCrash();
// Drops the tracker: the identity is saved, queued records are sent, and what
// cannot be sent is staged for the next run.
void ReleaseAnalytics();
