#pragma once

#include "logged/LoggedExportOutcome.h"
#include "logged/PeriodicLogClearing.h"

#include <QString>

// How a download ended, for whoever tells the user and clears the unit's periodic log.
struct DownloadResult {
    bool success = false;
    // The user cancelled: nothing was written and nothing in the unit was cleared.
    bool cancelled = false;
    // The summary's three figures: periodic records, both batteries' efficiency records, both
    // batteries' discharge-profile entries. All 0 after a failure.
    int periodicRecords = 0;
    int efficiencyRecords = 0;
    int dischargeProfileRecords = 0;
    // Folder + file name; each data file is this followed by its suffix.
    QString basePath;
    bool clockSet = false;
    // Pages of log memory read, and how many a full download of the same logs reads; 0 when the
    // download kept no image of the unit's memory.
    int pagesRead = 0;
    int wholePages = 0;
    // Only what the unit wrote since the last download was read.
    bool incremental = false;
    // The files written and the texts of those that failed (cumulative file included).
    LoggedExportOutcome files;
    // String 2502 (with 1551 when the clock was set) after a success, 1550 after a failure.
    QString summary;
    // Whether the unit's periodic log is to be cleared now; only ever after a success.
    PeriodicLogClearing::Decision clearing;
    // Why the unit's periodic log is kept although the settings ask to clear it; empty when
    // there is nothing to tell.
    QString keptNotice;
};
