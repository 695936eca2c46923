#pragma once

#include "config/Settings.h"
#include "logged/HistoryChart.h"
#include "logged/PeriodicHeader.h"

#include <QStringList>
#include <optional>
#include <vector>

// How the charts of the data files are drawn: the temperature unit and the report labels of
// the configuration, and what the command line narrows them to.
struct HistoryOptions {
    // The temperature option (TEMPOPTION) and the report labels (Label0..Label9).
    static HistoryOptions fromSettings(const Settings& settings);

    bool fahrenheit = false;
    PeriodicHeader::Labels labels = PeriodicCsvFormat::defaultLabels();
    // Only rows from and up to these calendar seconds (time charts only).
    std::optional<qint64> from;
    std::optional<qint64> to;
    // Only the series of these items (HistoryCharts::itemKeys()); empty for all of them, each
    // shown or hidden as it is by default.
    QStringList items;
};

// Turns data files into charts, one per kind of file: the periodic files' items over time
// (several files, such as the cumulative file and a download's, make one history), each
// battery's amp-hour efficiency and self-discharge per cycle, and each discharge profile's
// volts and percent full step by step.
class HistoryCharts {
public:
    static std::vector<HistoryChart> build(const std::vector<LoggedFile>& files,
                                           const HistoryOptions& options);

    // The names of every item a chart can show, as the command line takes them.
    static QStringList itemKeys();
    // The axis title of a unit.
    static QString unitTitle(ChartUnit unit, bool fahrenheit);
    // The unit's sign after a value, as in "12.60 V".
    static QString unitSymbol(ChartUnit unit, bool fahrenheit);
};
