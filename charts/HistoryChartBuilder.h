#pragma once

#include "logged/HistoryChart.h"

#include <QColor>
#include <vector>

class QChart;
class QLineSeries;

// Draws a history chart with Qt Charts: one line per series, a time axis (or the profile's
// steps) at the bottom and one value axis per unit, taking turns on the left and the right.
class HistoryChartBuilder {
public:
    struct Built {
        // Owns its series and axes; the caller owns it.
        QChart* chart = nullptr;
        // One per series of the history chart, in its order.
        std::vector<QLineSeries*> lines;
    };

    static Built build(const HistoryChart& history);

    // Shows or hides a line; its unit's axis goes with the last of its lines. The legend keeps
    // a hidden line's entry, greyed, so that the user can bring it back.
    static void showLine(QChart* chart, QLineSeries* line, bool shown);

    // The colour of the line at index, the same in every chart of the program.
    static QColor lineColour(int index);

    // The time axis's label format for a span of milliseconds: shorter spans show the time.
    static QString timeFormat(qint64 spanMs);

private:
    static void addTimeAxis(QChart* chart, const HistoryChart& history);
    static void addUnitAxes(QChart* chart, const HistoryChart& history,
                            const std::vector<QLineSeries*>& lines);
};
