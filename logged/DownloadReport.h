#pragma once

#include "logged/LoggedExportOutcome.h"
#include "logged/PeriodicLogClearing.h"

#include <QString>

class PromptService;
struct DownloadResult;

// What the user is told at the end of a download, and the question before the unit's periodic
// log is cleared. The desktop program and the command line tell it the same way.
class DownloadReport {
public:
    // String 2502 with the three counts and the base path; when the clock was set, a blank line
    // and string 1551 follow. When a file could not be written, the paragraph that says where
    // the files were saved names those that were instead, or says that none was.
    static QString summaryText(int periodicRecords, int efficiencyRecords,
                               int dischargeProfileRecords, const QString& basePath, bool clockSet,
                               const LoggedExportOutcome& files = {});
    // String 1550.
    static QString failureText();
    // After "Cancel": nothing was written or cleared.
    static QString cancelledText();
    // Why the unit's periodic log stays as it is although the settings ask to clear it; empty
    // when the settings do not ask for it. path names the file that could not be written.
    static QString keptText(PeriodicLogClearing::Reason reason, const QString& path);

    // Each file that failed, then the summary (or string 1550).
    static void tell(const DownloadResult& result, PromptService& prompts);
    // True when the unit's periodic log is to be cleared now: without asking with
    // appendToCumulativeFile, on Yes to string 2503 with askToClearPeriodicLog. When it is kept
    // although the settings ask to clear it, the user is told why.
    static bool confirmClearing(const DownloadResult& result, PromptService& prompts);
};
