#include "logged/LoggedDataExport.h"

#include "logged/CLoggedData.h"
#include "logged/CsvFileWriter.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/EfficiencyCsv.h"
#include "logged/LoggedFileNames.h"
#include "logged/PeriodicCsv.h"

#include <algorithm>

LoggedDataExport::LoggedDataExport(const Settings& settings, LogTimeText timeText)
    : settings_(settings), timeText_(std::move(timeText))
{}

LoggedExportOutcome LoggedDataExport::run(CLoggedData& data, const LoggedFileNames& names) const
{
    LoggedExportOutcome outcome;
    appendCumulative(data, outcome);
    if (settings_.recordOrder == RECORDS_NEWEST_FIRST)
        data.reverseRecordOrder();
    writeFiles(data, names, outcome);
    return outcome;
}

PeriodicCsvFormat LoggedDataExport::periodicFormat(int batteryMask) const
{
    PeriodicCsvFormat format;
    format.allColumns = !settings_.selectedColumnsOnly;
    format.batteryMask = batteryMask;
    format.chargedAs100 = settings_.chargedAs100;
    std::copy_n(settings_.reportLabels.begin(), PeriodicCsvFormat::LabelCount,
                format.labels.begin());
    format.timeText = timeText_;
    return format;
}

void LoggedDataExport::appendCumulative(const CLoggedData& data, LoggedExportOutcome& outcome) const
{
    outcome.periodicRecords = data.periodicCount() > 0;
    if (!settings_.appendToCumulativeFile || !outcome.periodicRecords)
        return;
    // The cumulative file always carries the charged flag as 0 or 1.
    PeriodicCsvFormat format = periodicFormat(data.batteryMask());
    format.chargedAs100 = false;
    const PeriodicCsv csv(format);
    const QString path =
        LoggedFileNames::cumulative(settings_.dataFolder, settings_.cumulativeFileName);
    CsvFileWriter writer;
    outcome.cumulativeAppended =
        writer.appendFile(path, csv.header(data.periodic().front()->itemFlags).toUtf8(),
                          csv.rows(data.periodic()).toUtf8());
    if (!outcome.cumulativeAppended)
        outcome.errors.append(writer.errorString());
}

void LoggedDataExport::writeFiles(const CLoggedData& data, const LoggedFileNames& names,
                                  LoggedExportOutcome& outcome) const
{
    if (data.periodicCount() > 0) {
        const PeriodicCsv csv(periodicFormat(data.batteryMask()));
        outcome.periodicFileWritten =
            writeFile(names.periodic(), csv.fileText(data.periodic()), outcome);
    }
    for (int battery = 1; battery <= 2; ++battery) {
        if (data.efficiencyCount(battery) > 0) {
            writeFile(names.efficiency(battery),
                      EfficiencyCsv::fileText(data.efficiency(battery), data.averagingCycles(),
                                              timeText_),
                      outcome);
        }
    }
    for (int battery = 1; battery <= 2; ++battery) {
        if (data.dischargeProfileCount(battery) > 0) {
            writeFile(names.dischargeProfile(battery),
                      DischargeProfileCsv::fileText(data.dischargeProfile(battery)), outcome);
        }
    }
}

bool LoggedDataExport::writeFile(const QString& path, const QString& text,
                                 LoggedExportOutcome& outcome) const
{
    CsvFileWriter writer;
    if (!writer.writeFile(path, text.toUtf8())) {
        outcome.errors.append(writer.errorString());
        return false;
    }
    outcome.writtenFiles.append(path);
    return true;
}
