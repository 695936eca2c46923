#include "charts/HistoryChartView.h"

#include "charts/HistoryChartBuilder.h"
#include "logged/HistoryCharts.h"
#include "logged/LogTimeText.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// One notch of the wheel narrows or widens the axis by this much.
constexpr double WheelZoom = 1.25;
constexpr qint64 MsPerSecond = 1000;

// The point of a line nearest to x; the points are sorted by x.
const QPointF* nearest(const QList<QPointF>& points, double x)
{
    if (points.isEmpty())
        return nullptr;
    const auto after =
        std::lower_bound(points.begin(), points.end(), x,
                         [](const QPointF& p, double value) { return p.x() < value; });
    if (after == points.begin())
        return &*after;
    if (after == points.end())
        return &points.back();
    const auto before = after - 1;
    return x - before->x() <= after->x() - x ? &*before : &*after;
}

} // namespace

HistoryChartView::HistoryChartView(HistoryChart history, QWidget* parent)
    : HistoryChartView(history, HistoryChartBuilder::build(history), parent)
{}

// The view is made with its chart: a chart given to a view made without one would leave the
// view's own first chart to nobody.
HistoryChartView::HistoryChartView(HistoryChart history, HistoryChartBuilder::Built built,
                                   QWidget* parent)
    : QChartView(built.chart, parent), history_(std::move(history)), lines_(std::move(built.lines))
{
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    setMouseTracking(true);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        for (QLegendMarker* marker : chart()->legend()->markers(lines_[i]))
            connect(marker, &QLegendMarker::clicked, this,
                    [this, i] { showLine(static_cast<int>(i), !lines_[i]->isVisible()); });
}

void HistoryChartView::resetZoom()
{
    chart()->zoomReset();
}

void HistoryChartView::zoomAround(double x, double factor)
{
    const QRectF area = chart()->plotArea();
    const double anchor = std::clamp(x, area.left(), area.right());
    QRectF zoomed = area;
    zoomed.setWidth(area.width() / factor);
    zoomed.moveLeft(anchor - (anchor - area.left()) / factor);
    chart()->zoomIn(zoomed);
}

void HistoryChartView::showLine(int index, bool shown)
{
    HistoryChartBuilder::showLine(chart(), lines_[static_cast<std::size_t>(index)], shown);
}

void HistoryChartView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0)
        return QChartView::wheelEvent(event);
    zoomAround(event->position().x(), std::pow(WheelZoom, notches));
    event->accept();
}

void HistoryChartView::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    if (!lines_.empty() && chart()->plotArea().contains(event->position()))
        Q_EMIT pointedAt(valuesAt(event->position().x()));
}

QString HistoryChartView::valuesAt(double x) const
{
    if (lines_.empty())
        return QString();
    const double value =
        chart()->mapToValue(QPointF(x, chart()->plotArea().center().y()), lines_.front()).x();
    QStringList parts{xText(value)};
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const HistorySeries& series = history_.series[i];
        const QPointF* point = nearest(series.points, value);
        if (!lines_[i]->isVisible() || !point)
            continue;
        const QString unit = HistoryCharts::unitSymbol(series.unit, history_.fahrenheit);
        parts.append(QStringLiteral("%1: %2%3")
                         .arg(series.name, QString::number(point->y(), 'f', 2),
                              unit.isEmpty() ? QString() : QLatin1Char(' ') + unit));
    }
    return parts.join(QStringLiteral("    "));
}

QString HistoryChartView::xText(double x) const
{
    if (!history_.timeAxis)
        return QStringLiteral("Step %1").arg(qRound(x));
    return LogTimeText().format(static_cast<qint64>(x) / MsPerSecond);
}
