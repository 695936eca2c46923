#pragma once

#include "charts/LiveTrendRing.h"

#include <QChartView>
#include <QDateTime>
#include <QString>
#include <QTimer>
#include <array>
#include <map>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// A small chart of the six display slots over the last hour, from the values the poll cycle
// reads anyway. The values stay while the display stops; clear() forgets them (another unit).
// Lines are redrawn a moment after values arrive, so that a burst of values costs one drawing.
class LiveTrendWidget : public QChartView {
    Q_OBJECT

public:
    static constexpr int RedrawDelayMs = 250;

    explicit LiveTrendWidget(QWidget* parent = nullptr);

    // The item a slot shows: its name and the unit its axis is shared by ("Volts"). An empty
    // name leaves the slot out; a slot that changes item starts again.
    void setSlot(int slot, const QString& name, const QString& unit);
    void push(int slot, const QDateTime& time, double value);
    void clear();

    // Draws what has arrived now rather than a moment later.
    void redraw();

    const LiveTrendRing& ring() const { return ring_; }
    QLineSeries* line(int slot) const { return lines_[static_cast<std::size_t>(slot)]; }
    QValueAxis* unitAxis(const QString& unit) const;

private:
    void attachToUnit(int slot, const QString& unit);
    void dropUnusedAxes();
    void fitUnitAxes();

    LiveTrendRing ring_;
    std::array<QLineSeries*, LiveTrendRing::SlotCount> lines_{};
    std::array<QString, LiveTrendRing::SlotCount> units_;
    QDateTimeAxis* time_ = nullptr;
    std::map<QString, QValueAxis*> axes_;
    QTimer redrawTimer_;
};
