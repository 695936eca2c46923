#include "charts/HistoryChartBuilder.h"

#include "logged/HistoryCharts.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <map>

namespace {

constexpr qint64 HourMs = 3600 * 1000;
constexpr qint64 DayMs = 24 * HourMs;
// The steps between the ticks of a time axis, in hours: whole hours, days and weeks of the
// PC's local time, the smallest that needs no more than MaxTimeTicks ticks.
constexpr int TickHours[] = {1, 2, 3, 6, 12, 24, 48, 96, 168, 336, 672, 1344, 2688, 8760};
constexpr int MaxTimeTicks = 9;
constexpr double LineWidth = 1.5;
constexpr qreal MarkerSize = 6.0;
constexpr int HiddenAlpha = 90;
// About this many ticks along the steps of a profile.
constexpr double StepTicks = 6;

// Twelve colours told apart easily, one per line in turn.
constexpr QRgb LineColours[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b,
                                0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf, 0x393b79, 0x637939};

struct Range {
    double low = 0.0;
    double high = 0.0;
    bool empty = true;

    void take(double value)
    {
        low = empty ? value : std::min(low, value);
        high = empty ? value : std::max(high, value);
        empty = false;
    }
};

Range xRange(const HistoryChart& history)
{
    Range range;
    for (const HistorySeries& series : history.series)
        if (!series.points.isEmpty()) {
            range.take(series.points.front().x());
            range.take(series.points.back().x());
        }
    return range;
}

// The round step (1, 2 or 5 times a power of ten, at least 1) nearest above a span.
double wholeStep(double span)
{
    double power = 1;
    while (power * 10 <= span)
        power *= 10;
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= span)
            return factor * power;
    return 10 * power;
}

struct TimeTicks {
    QDateTime first;
    QDateTime last;
    int count = 2;
};

// A time axis that starts and ends on ticks, so that every tick falls on a round time.
TimeTicks timeTicks(qint64 lowMs, qint64 highMs)
{
    const QDateTime low = QDateTime::fromMSecsSinceEpoch(lowMs);
    for (int hours : TickHours) {
        // From the local midnight before, for steps up to a day; from the first day of the
        // year for longer ones, so that weeks start on the same day whatever the data.
        QDateTime first(hours <= 24 ? low.date() : QDate(low.date().year(), 1, 1), QTime(0, 0));
        const qint64 stepSecs = qint64{hours} * 3600;
        first = first.addSecs((first.secsTo(low) / stepSecs) * stepSecs);
        const qint64 steps = std::max<qint64>(
            1, (first.msecsTo(QDateTime::fromMSecsSinceEpoch(highMs)) + stepSecs * 1000 - 1) /
                   (stepSecs * 1000));
        if (steps + 1 <= MaxTimeTicks || hours == TickHours[std::size(TickHours) - 1])
            return {first, first.addSecs(steps * stepSecs), static_cast<int>(steps + 1)};
    }
    return {};
}

QLineSeries* lineOf(const HistorySeries& series, int index, bool markers)
{
    auto* line = new QLineSeries;
    line->setName(series.name);
    line->replace(series.points);
    QPen pen(HistoryChartBuilder::lineColour(index));
    pen.setWidthF(LineWidth);
    line->setPen(pen);
    line->setPointsVisible(markers);
    line->setMarkerSize(MarkerSize);
    return line;
}

} // namespace

HistoryChartBuilder::Built HistoryChartBuilder::build(const HistoryChart& history)
{
    Built built;
    built.chart = new QChart;
    built.chart->setTitle(history.title);
    // At the side, every name has room: below the chart long names are cut short.
    built.chart->legend()->setAlignment(Qt::AlignRight);
    // Efficiency values stand one per cycle: a point shows each cycle.
    const bool markers = history.kind == LoggedFileKind::Efficiency;
    for (std::size_t i = 0; i < history.series.size(); ++i) {
        built.lines.push_back(lineOf(history.series[i], static_cast<int>(i), markers));
        built.chart->addSeries(built.lines.back());
    }
    addTimeAxis(built.chart, history);
    addUnitAxes(built.chart, history, built.lines);
    for (std::size_t i = 0; i < history.series.size(); ++i)
        if (!history.series[i].shownByDefault)
            showLine(built.chart, built.lines[i], false);
    return built;
}

void HistoryChartBuilder::addTimeAxis(QChart* chart, const HistoryChart& history)
{
    Range range = xRange(history);
    QAbstractAxis* axis = nullptr;
    if (history.timeAxis) {
        auto* time = new QDateTimeAxis;
        if (range.empty)
            range.take(0);
        const TimeTicks ticks =
            timeTicks(static_cast<qint64>(range.low), static_cast<qint64>(range.high));
        time->setRange(ticks.first, ticks.last);
        time->setTickCount(ticks.count);
        time->setFormat(timeFormat(ticks.first.msecsTo(ticks.last)));
        QObject::connect(time, &QDateTimeAxis::rangeChanged, time,
                         [time](const QDateTime& low, const QDateTime& high) {
                             time->setFormat(timeFormat(low.msecsTo(high)));
                         });
        axis = time;
    } else {
        auto* steps = new QValueAxis;
        steps->setTitleText(QStringLiteral("Step"));
        steps->setLabelFormat(QStringLiteral("%d"));
        const double last = range.empty ? 2 : std::max(range.high, 2.0);
        steps->setRange(0, last);
        steps->setTickType(QValueAxis::TicksDynamic);
        steps->setTickAnchor(0);
        steps->setTickInterval(wholeStep(last / StepTicks));
        axis = steps;
    }
    chart->addAxis(axis, Qt::AlignBottom);
    for (QAbstractSeries* series : chart->series())
        series->attachAxis(axis);
}

void HistoryChartBuilder::addUnitAxes(QChart* chart, const HistoryChart& history,
                                      const std::vector<QLineSeries*>& lines)
{
    std::map<ChartUnit, QValueAxis*> axes;
    std::map<ChartUnit, Range> ranges;
    for (std::size_t i = 0; i < history.series.size(); ++i) {
        const HistorySeries& series = history.series[i];
        QValueAxis*& axis = axes[series.unit];
        if (!axis) {
            axis = new QValueAxis;
            axis->setTitleText(HistoryCharts::unitTitle(series.unit, history.fahrenheit));
            chart->addAxis(axis, axes.size() % 2 ? Qt::AlignLeft : Qt::AlignRight);
        }
        lines[i]->attachAxis(axis);
        for (const QPointF& point : series.points)
            ranges[series.unit].take(point.y());
    }
    for (auto& [unit, axis] : axes) {
        Range range = ranges[unit];
        if (range.empty)
            range.take(0);
        const double margin = range.high > range.low ? (range.high - range.low) * 0.05 : 1.0;
        axis->setRange(range.low - margin, range.high + margin);
        axis->applyNiceNumbers();
    }
}

void HistoryChartBuilder::showLine(QChart* chart, QLineSeries* line, bool shown)
{
    line->setVisible(shown);
    for (QLegendMarker* marker : chart->legend()->markers(line)) {
        marker->setVisible(true);
        QColor label = marker->labelBrush().color();
        label.setAlpha(shown ? 255 : HiddenAlpha);
        marker->setLabelBrush(label);
        QBrush swatch = marker->brush();
        QColor colour = swatch.color();
        colour.setAlpha(shown ? 255 : HiddenAlpha);
        swatch.setColor(colour);
        marker->setBrush(swatch);
    }
    for (QAbstractAxis* axis : line->attachedAxes()) {
        if (axis->orientation() != Qt::Vertical)
            continue;
        bool anyShown = false;
        for (QAbstractSeries* other : chart->series())
            anyShown = anyShown || (other->isVisible() && other->attachedAxes().contains(axis));
        axis->setVisible(anyShown);
    }
}

QColor HistoryChartBuilder::lineColour(int index)
{
    return QColor::fromRgb(LineColours[static_cast<std::size_t>(index) % std::size(LineColours)]);
}

QString HistoryChartBuilder::timeFormat(qint64 spanMs)
{
    // Short labels: the legend at the side leaves the time axis little room.
    if (spanMs <= DayMs)
        return QStringLiteral("HH:mm");
    if (spanMs <= 3 * DayMs)
        return QStringLiteral("MM/dd HH:mm");
    if (spanMs <= 180 * DayMs)
        return QStringLiteral("MM/dd");
    return QStringLiteral("MM/dd/yy");
}
