#pragma once

#include "logged/LoggedFile.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

// What a value of a chart is measured in; each unit gets an axis of its own.
enum class ChartUnit { AmpHours, WattHours, Temperature, Volts, Amps, Percent, None };

// One line of a chart: an item of the data files, over time or over the steps of a profile.
struct HistorySeries {
    // The item's name on the command line ("volts1"); empty for a column the program does not
    // know.
    QString key;
    QString name;
    ChartUnit unit = ChartUnit::None;
    bool shownByDefault = true;
    // Sorted by x, each x once: milliseconds since the epoch on a time chart, else the step.
    QList<QPointF> points;
};

// The chart of one kind of data file, from every file of that kind that was opened.
struct HistoryChart {
    LoggedFileKind kind = LoggedFileKind::Periodic;
    QString title;
    // x is a time (periodic and efficiency data), else the step of a discharge profile.
    bool timeAxis = true;
    // Temperatures are in Fahrenheit (TEMPOPTION 1153), else in Celsius.
    bool fahrenheit = false;
    std::vector<HistorySeries> series;
};
