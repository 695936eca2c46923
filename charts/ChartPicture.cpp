#include "charts/ChartPicture.h"

#include "charts/HistoryChartView.h"

#include <QVBoxLayout>
#include <QWidget>

QImage ChartPicture::draw(std::vector<HistoryChart> charts, const QSize& size)
{
    QWidget page;
    page.setAutoFillBackground(true);
    page.setPalette(QPalette(Qt::white));
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (HistoryChart& chart : charts) {
        // Nobody can click a picture's legend: the lines it would hide are left out.
        std::erase_if(chart.series,
                      [](const HistorySeries& series) { return !series.shownByDefault; });
        layout->addWidget(new HistoryChartView(std::move(chart), &page));
    }
    page.resize(size);
    // Grabbing lays the page out and draws it without ever showing it.
    return page.grab().toImage();
}
