#pragma once

#include "charts/HistoryChartBuilder.h"
#include "logged/HistoryChart.h"

#include <QChartView>
#include <vector>

class QLineSeries;

// One history chart on screen: the mouse wheel zooms the time (or step) axis around the cursor,
// a rubber band zooms into the rectangle drawn, a click on a legend entry shows or hides its
// line, and moving over the chart tells the values under the cursor.
class HistoryChartView : public QChartView {
    Q_OBJECT

public:
    explicit HistoryChartView(HistoryChart history, QWidget* parent = nullptr);

    const HistoryChart& history() const { return history_; }
    // One per series of the history chart, in its order.
    const std::vector<QLineSeries*>& lines() const { return lines_; }

    void resetZoom();
    void zoomAround(double x, double factor);
    void showLine(int index, bool shown);
    // The time (or step) at x of the plot area, and each shown line's value nearest to it.
    QString valuesAt(double x) const;

Q_SIGNALS:
    void pointedAt(const QString& values);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    HistoryChartView(HistoryChart history, HistoryChartBuilder::Built built, QWidget* parent);
    QString xText(double x) const;

    HistoryChart history_;
    std::vector<QLineSeries*> lines_;
};
