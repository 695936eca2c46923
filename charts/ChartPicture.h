#pragma once

#include "logged/HistoryChart.h"

#include <QImage>
#include <QSize>
#include <vector>

// The charts of data files drawn into one picture, one below the other, as the History window
// shows them; for the command line, which has no window.
class ChartPicture {
public:
    static QImage draw(std::vector<HistoryChart> charts, const QSize& size);
};
