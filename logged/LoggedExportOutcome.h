#pragma once

#include <QStringList>

// What writing a download's files came to, for the summary and for deciding whether the unit's
// periodic log may be cleared.
struct LoggedExportOutcome {
    // There were periodic records to save.
    bool periodicRecords = false;
    // The settings append to the cumulative file and the records reached the cumulative file whole.
    bool cumulativeAppended = false;
    // The download's periodic file was written.
    bool periodicFileWritten = false;
    // The files written, and one text for the user per file that failed (string 2501 with the
    // path, and the reason when the file opened but could not be written).
    QStringList writtenFiles;
    QStringList errors;
};
