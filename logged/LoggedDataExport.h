#pragma once

#include "config/Settings.h"
#include "logged/LogTimeText.h"
#include "logged/LoggedExportOutcome.h"
#include "logged/PeriodicCsvFormat.h"

class CLoggedData;
class LoggedFileNames;

// The file work of a successful download, in its order: the periodic records go (oldest first)
// to the cumulative file when appendToCumulativeFile is set, the records are put newest first
// when recordOrder says so, then each log with records gets its file. A file that fails is reported
// and the others are still written.
class LoggedDataExport {
public:
    explicit LoggedDataExport(const Settings& settings, LogTimeText timeText = LogTimeText());

    LoggedExportOutcome run(CLoggedData& data, const LoggedFileNames& names) const;

    // The parts of run(), for a caller that needs them apart.
    void appendCumulative(const CLoggedData& data, LoggedExportOutcome& outcome) const;
    void writeFiles(const CLoggedData& data, const LoggedFileNames& names,
                    LoggedExportOutcome& outcome) const;

private:
    PeriodicCsvFormat periodicFormat(int batteryMask) const;
    bool writeFile(const QString& path, const QString& text, LoggedExportOutcome& outcome) const;

    Settings settings_;
    LogTimeText timeText_;
};
