#include "charts/LiveTrendWidget.h"

#include "charts/HistoryChartBuilder.h"

#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr int SmallPointSize = 7;
constexpr int Margin = 2;

QFont smallFont()
{
    QFont font;
    font.setPointSize(SmallPointSize);
    return font;
}

} // namespace

// The view is made with its chart: a chart given to a view made without one would leave the
// view's own first chart to nobody.
LiveTrendWidget::LiveTrendWidget(QWidget* parent) : QChartView(new QChart, parent)
{
    QChart* chart = this->chart();
    chart->setMargins(QMargins(Margin, Margin, Margin, Margin));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(smallFont());
    time_ = new QDateTimeAxis;
    time_->setFormat(QStringLiteral("HH:mm"));
    time_->setTickCount(5);
    time_->setLabelsFont(smallFont());
    chart->addAxis(time_, Qt::AlignBottom);
    for (int slot = 0; slot < LiveTrendRing::SlotCount; ++slot) {
        auto* line = new QLineSeries;
        line->setPen(QPen(HistoryChartBuilder::lineColour(slot), 1.5));
        chart->addSeries(line);
        line->attachAxis(time_);
        line->setVisible(false);
        lines_[static_cast<std::size_t>(slot)] = line;
    }
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(320, 160);
    redrawTimer_.setSingleShot(true);
    redrawTimer_.setInterval(RedrawDelayMs);
    connect(&redrawTimer_, &QTimer::timeout, this, &LiveTrendWidget::redraw);
    clear();
}

void LiveTrendWidget::setSlot(int slot, const QString& name, const QString& unit)
{
    if (slot < 0 || slot >= LiveTrendRing::SlotCount)
        return;
    QLineSeries* line = lines_[static_cast<std::size_t>(slot)];
    if (line->name() == name && units_[static_cast<std::size_t>(slot)] == unit)
        return;
    ring_.clear(slot);
    line->clear();
    line->setName(name);
    attachToUnit(slot, name.isEmpty() ? QString() : unit);
    line->setVisible(!name.isEmpty());
    for (QLegendMarker* marker : chart()->legend()->markers(line))
        marker->setVisible(!name.isEmpty());
    dropUnusedAxes();
    redraw();
}

void LiveTrendWidget::push(int slot, const QDateTime& time, double value)
{
    ring_.push(slot, time.toMSecsSinceEpoch(), value);
    if (!redrawTimer_.isActive())
        redrawTimer_.start();
}

void LiveTrendWidget::clear()
{
    ring_.clear();
    redraw();
}

void LiveTrendWidget::redraw()
{
    redrawTimer_.stop();
    for (int slot = 0; slot < LiveTrendRing::SlotCount; ++slot)
        lines_[static_cast<std::size_t>(slot)]->replace(ring_.points(slot));
    const qint64 newest = ring_.newestTime();
    const QDateTime end = newest > 0 ? QDateTime::fromMSecsSinceEpoch(newest)
                                     : QDateTime::fromMSecsSinceEpoch(LiveTrendRing::WindowMs);
    time_->setRange(end.addMSecs(-LiveTrendRing::WindowMs), end);
    fitUnitAxes();
}

QValueAxis* LiveTrendWidget::unitAxis(const QString& unit) const
{
    const auto found = axes_.find(unit);
    return found == axes_.end() ? nullptr : found->second;
}

void LiveTrendWidget::attachToUnit(int slot, const QString& unit)
{
    QLineSeries* line = lines_[static_cast<std::size_t>(slot)];
    if (QValueAxis* old = unitAxis(units_[static_cast<std::size_t>(slot)]))
        line->detachAxis(old);
    units_[static_cast<std::size_t>(slot)] = unit;
    if (unit.isEmpty())
        return;
    QValueAxis*& axis = axes_[unit];
    if (!axis) {
        axis = new QValueAxis;
        axis->setTitleText(unit);
        axis->setTitleFont(smallFont());
        axis->setLabelsFont(smallFont());
        axis->setTickCount(3);
        chart()->addAxis(axis, axes_.size() % 2 ? Qt::AlignLeft : Qt::AlignRight);
    }
    line->attachAxis(axis);
}

void LiveTrendWidget::dropUnusedAxes()
{
    for (auto axis = axes_.begin(); axis != axes_.end();) {
        if (std::find(units_.begin(), units_.end(), axis->first) != units_.end()) {
            ++axis;
            continue;
        }
        chart()->removeAxis(axis->second);
        delete axis->second;
        axis = axes_.erase(axis);
    }
}

void LiveTrendWidget::fitUnitAxes()
{
    for (const auto& [unit, axis] : axes_) {
        double low = 0.0, high = 0.0;
        bool any = false;
        for (int slot = 0; slot < LiveTrendRing::SlotCount; ++slot) {
            if (units_[static_cast<std::size_t>(slot)] != unit)
                continue;
            for (const QPointF& point : ring_.points(slot)) {
                low = any ? std::min(low, point.y()) : point.y();
                high = any ? std::max(high, point.y()) : point.y();
                any = true;
            }
        }
        const double margin = high > low ? (high - low) * 0.1 : 1.0;
        axis->setRange(low - margin, high + margin);
    }
}
