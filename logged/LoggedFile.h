#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// Which of the program's data files a text is.
enum class LoggedFileKind {
    // "_PeriodicData.csv" and the cumulative file, which share one layout.
    Periodic,
    // "_Bat1CycleEfficy.csv", "_Bat2CycleEfficy.csv"
    Efficiency,
    // "_Bat1DischProfile.csv", "_Bat2DischProfile.csv"
    DischargeProfile,
};

// What a column of a data file holds, as the writers fill it.
enum class LoggedColumn {
    // Periodic files. Temperatures are in Fahrenheit, as the header says; the charged flags are
    // 0 and 1, or 0 and 100.
    AmpHours1,
    AmpHours2,
    AmpHours3,
    WattHours1,
    WattHours2,
    TempMax,
    TempMin,
    Volts1,
    Amps1,
    Volts2,
    PercentFull1,
    Charged1,
    PercentFull2,
    Charged2,
    // Efficiency files; the efficiencies are in percent, Valid is 1 or 0.
    CycleValid,
    CycleHours,
    DischargeAmpHours,
    ChargeAmpHours,
    NetAmpHours,
    ChargeEfficiency,
    SelfDischarge,
    AverageChargeEfficiency,
    AverageSelfDischarge,
    // Discharge profile files.
    DayOfMonth,
    PercentFull,
    FilteredVolts,
    FilteredAmps,
    // A column of a periodic file whose label names no item the program knows (a report label
    // changed since the file was written); kept under its header text.
    Unknown,
};

// One column of a data file: its values row by row, not-a-number where the row has "-X-".
struct LoggedFileColumn {
    LoggedColumn column = LoggedColumn::Unknown;
    QString header;
    std::vector<float> values;
};

// A data file as read back: what it is, the time of each row (periodic and efficiency files)
// and its columns. Rows keep the file's order.
struct LoggedFile {
    QString fileName;
    LoggedFileKind kind = LoggedFileKind::Periodic;
    // The battery an efficiency or discharge profile file belongs to, from its name; 0 when the
    // name does not tell.
    int battery = 0;
    // The cycles of the averages of an efficiency file, from its header.
    int averagedCycles = 0;
    // Periodic: every item has its columns ("-X-" where a record lacks one).
    bool allColumns = false;
    // Calendar seconds of each row; empty for a discharge profile.
    std::vector<qint64> times;
    std::vector<LoggedFileColumn> columns;
    // Rows of a selected-columns file whose cells do not fit the header: the unit logged other
    // items for them, which the file does not name. They are left out; the first one's line.
    int skippedRows = 0;
    int firstSkippedLine = 0;

    int rowCount() const
    {
        return columns.empty() ? static_cast<int>(times.size())
                               : static_cast<int>(columns.front().values.size());
    }
    // The column, or none when the file does not have it.
    const LoggedFileColumn* find(LoggedColumn column) const
    {
        for (const LoggedFileColumn& candidate : columns)
            if (candidate.column == column)
                return &candidate;
        return nullptr;
    }
};
