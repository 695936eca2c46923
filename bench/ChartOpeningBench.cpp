#include "charts/HistoryChartView.h"
#include "logged/HistoryCharts.h"
#include "logged/LoggedFileReader.h"
#include "logged/PeriodicCsv.h"

#include <QDateTime>
#include <QTimeZone>
#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 20000;
constexpr qint64 TenMinutes = 600;

// A periodic file of every column, a row every ten minutes: 20,000 rows are four and a half
// months, about what a user lets pile up in the cumulative file.
QByteArray periodicFile()
{
    QByteArray text = PeriodicCsv(PeriodicCsvFormat{}).header(0).toUtf8();
    const QDateTime first(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (int row = 0; row < Rows; ++row) {
        const double phase = (row % 144) / 144.0;
        text += '\r' + first.addSecs(row * TenMinutes).toString("MM/dd/yyyy HH:mm:ss").toUtf8();
        text += QStringLiteral(",%1,%2,-X-,%3,-X-,77.0,59.0,%4,%5,%6,%7,%8,%9,0")
                    .arg(-50 + 60 * phase, 0, 'f', 2)
                    .arg(-15 + 20 * phase, 0, 'f', 2)
                    .arg(row % 900)
                    .arg(12.2 + phase, 0, 'f', 1)
                    .arg(-8 + 16 * phase, 0, 'f', 1)
                    .arg(12.6 + phase / 2, 0, 'f', 1)
                    .arg(50 + row % 50)
                    .arg(row % 144 == 0 ? 1 : 0)
                    .arg(60 + row % 40)
                    .toUtf8();
    }
    return text;
}

std::vector<HistoryChart> chartsOf(const QByteArray& bytes)
{
    LoggedFileReading reading = readLoggedFile(bytes, QStringLiteral("bench.csv"));
    std::vector<LoggedFile> files;
    files.push_back(std::move(reading.file.value()));
    return HistoryCharts::build(files, HistoryOptions{});
}

// The widget-free part alone: reading the file and building the series.
void readPeriodicFile(benchmark::State& state)
{
    const QByteArray bytes = periodicFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(chartsOf(bytes));
}
BENCHMARK(readPeriodicFile)->Unit(benchmark::kMillisecond);

// From the file's bytes to the chart drawn in a window of the History window's size: reading,
// building the series, and Qt Charts laying out and painting 20,000 points per shown line.
void openPeriodicChart(benchmark::State& state)
{
    const QByteArray bytes = periodicFile();
    for (auto _ : state) {
        std::vector<HistoryChart> charts = chartsOf(bytes);
        HistoryChartView view(std::move(charts.front()));
        view.resize(1000, 600);
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(openPeriodicChart)->Unit(benchmark::kMillisecond);

} // namespace
