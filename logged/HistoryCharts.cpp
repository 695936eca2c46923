#include "logged/HistoryCharts.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 MsPerSecond = 1000;

// An item a chart can show: its name on the command line, the file and column it comes from,
// its unit, whether it is shown before the user picks, and its legend text: a report label
// (Label0..Label9) or a fixed text, where "%1" stands for the cycles of an average. A periodic
// chart first shows the batteries' volts, amps and state of charge, which tell most at a glance;
// the counters and temperatures are a click away.
struct Item {
    const char* key;
    LoggedFileKind kind;
    LoggedColumn column;
    ChartUnit unit;
    bool shownByDefault;
    int label;
    const char* name;
};

using K = LoggedFileKind;
using C = LoggedColumn;
using U = ChartUnit;

constexpr Item Items[] = {
    {"ahr1", K::Periodic, C::AmpHours1, U::AmpHours, false, 0, ""},
    {"ahr2", K::Periodic, C::AmpHours2, U::AmpHours, false, 1, ""},
    {"ahr3", K::Periodic, C::AmpHours3, U::AmpHours, false, 2, ""},
    {"whr1", K::Periodic, C::WattHours1, U::WattHours, false, 3, ""},
    {"whr2", K::Periodic, C::WattHours2, U::WattHours, false, 4, ""},
    {"tmax", K::Periodic, C::TempMax, U::Temperature, false, -1, "Tmax"},
    {"tmin", K::Periodic, C::TempMin, U::Temperature, false, -1, "Tmin"},
    {"volts1", K::Periodic, C::Volts1, U::Volts, true, 5, ""},
    {"amps1", K::Periodic, C::Amps1, U::Amps, true, 6, ""},
    {"volts2", K::Periodic, C::Volts2, U::Volts, true, 7, ""},
    {"full1", K::Periodic, C::PercentFull1, U::Percent, true, 8, ""},
    {"full2", K::Periodic, C::PercentFull2, U::Percent, true, 9, ""},
    {"efficiency", K::Efficiency, C::ChargeEfficiency, U::Percent, true, -1, "Amp-hr Efficiency"},
    {"selfdischarge", K::Efficiency, C::SelfDischarge, U::Amps, true, -1, "Self Discharge Amps"},
    {"avgefficiency", K::Efficiency, C::AverageChargeEfficiency, U::Percent, false, -1,
     "%1 Cycle Amp-hr Efficiency"},
    {"avgselfdischarge", K::Efficiency, C::AverageSelfDischarge, U::Amps, false, -1,
     "%1 Cycle Self Discharge Amps"},
    {"volts", K::DischargeProfile, C::FilteredVolts, U::Volts, true, -1, "Filtered Volts"},
    {"full", K::DischargeProfile, C::PercentFull, U::Percent, true, -1, "Percent Full"},
    {"amps", K::DischargeProfile, C::FilteredAmps, U::Amps, false, -1, "Filtered Amps"},
};

// Axis title and sign of each ChartUnit, in its order; the temperature's depend on the option.
struct UnitText {
    const char* title;
    const char* symbol;
};
constexpr UnitText UnitTexts[] = {
    {"Amp-hours", "Ah"}, {"Watt-hours", "Wh"}, {"", ""}, {"Volts", "V"},
    {"Amps", "A"},       {"Percent", "%"},     {"", ""}};
static_assert(std::size(UnitTexts) == static_cast<std::size_t>(ChartUnit::None) + 1);

// The files whose series are drawn as one: every periodic file, the efficiency files of one
// battery, each discharge profile on its own (its steps start again at one).
struct FileGroup {
    QString label;
    std::vector<const LoggedFile*> files;
};

QString chartTitle(LoggedFileKind kind)
{
    switch (kind) {
    case LoggedFileKind::Periodic:
        return QStringLiteral("Periodic Data");
    case LoggedFileKind::Efficiency:
        return QStringLiteral("Efficiency Data");
    case LoggedFileKind::DischargeProfile:
        break;
    }
    return QStringLiteral("Battery Discharge Profile Data");
}

QString batteryLabel(int battery)
{
    return QStringLiteral("Battery %1").arg(battery);
}

QString groupLabel(const LoggedFile& file, const std::vector<const LoggedFile*>& sameKind)
{
    if (file.kind == LoggedFileKind::Periodic)
        return QString();
    const auto sameBattery = [&file](const LoggedFile* other) {
        return other->battery == file.battery;
    };
    const bool mergesByBattery = file.kind == LoggedFileKind::Efficiency;
    if (file.battery != 0 &&
        (mergesByBattery || std::count_if(sameKind.begin(), sameKind.end(), sameBattery) == 1))
        return batteryLabel(file.battery);
    return QFileInfo(file.fileName).completeBaseName();
}

std::vector<FileGroup> groupsOf(LoggedFileKind kind, const std::vector<LoggedFile>& files)
{
    std::vector<const LoggedFile*> sameKind;
    for (const LoggedFile& file : files)
        if (file.kind == kind)
            sameKind.push_back(&file);
    std::vector<FileGroup> groups;
    for (const LoggedFile* file : sameKind) {
        const QString label = groupLabel(*file, sameKind);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&label](const FileGroup& g) { return g.label == label; });
        if (group == groups.end())
            group = groups.insert(groups.end(), FileGroup{label, {}});
        group->files.push_back(file);
    }
    return groups;
}

// Series of an efficiency file leave out the cycles the unit did not mark valid, which carry
// zeros, and the averages leave out the cycles before the first complete window.
bool rowCharted(const LoggedFile& file, int row, const Item& item)
{
    if (file.kind != LoggedFileKind::Efficiency)
        return true;
    const LoggedFileColumn* valid = file.find(LoggedColumn::CycleValid);
    if (valid && valid->values[static_cast<std::size_t>(row)] == 0.0f)
        return false;
    if (item.column != C::AverageChargeEfficiency && item.column != C::AverageSelfDischarge)
        return true;
    for (C average : {C::AverageChargeEfficiency, C::AverageSelfDischarge})
        if (const LoggedFileColumn* column = file.find(average);
            column && column->values[static_cast<std::size_t>(row)] != 0.0f)
            return true;
    return false;
}

class SeriesCollector {
public:
    SeriesCollector(const HistoryOptions& options, bool timeAxis)
        : options_(options), timeAxis_(timeAxis)
    {}

    void add(const LoggedFile& file, const LoggedFileColumn& column, const Item* item,
             QList<QPointF>& points) const
    {
        for (int row = 0; row < file.rowCount(); ++row) {
            const float value = column.values[static_cast<std::size_t>(row)];
            if (!std::isfinite(value) || (item && !rowCharted(file, row, *item)))
                continue;
            double x = row + 1;
            if (timeAxis_) {
                const qint64 time = file.times[static_cast<std::size_t>(row)];
                if ((options_.from && time < *options_.from) ||
                    (options_.to && time > *options_.to))
                    continue;
                x = static_cast<double>(time * MsPerSecond);
            }
            points.append(QPointF(x, converted(value, item)));
        }
    }

    // Several files may hold the same rows (the cumulative file and a download's own file).
    void sortAndMerge(QList<QPointF>& points) const
    {
        if (!timeAxis_)
            return;
        std::stable_sort(points.begin(), points.end(),
                         [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        points.erase(std::unique(points.begin(), points.end(),
                                 [](const QPointF& a, const QPointF& b) { return a.x() == b.x(); }),
                     points.end());
    }

private:
    // The files carry Fahrenheit.
    double converted(float value, const Item* item) const
    {
        if (item && item->unit == U::Temperature && !options_.fahrenheit)
            return (value - 32.0) / 1.8;
        return value;
    }

    const HistoryOptions& options_;
    bool timeAxis_;
};

bool wanted(const QString& key, const HistoryOptions& options)
{
    return options.items.isEmpty() || options.items.contains(key, Qt::CaseInsensitive);
}

QString seriesName(const Item& item, const FileGroup& group, const HistoryOptions& options)
{
    QString name = item.label >= 0 ? options.labels[static_cast<std::size_t>(item.label)]
                                   : QString::fromLatin1(item.name);
    if (name.contains(QLatin1String("%1")))
        name = name.arg(group.files.front()->averagedCycles);
    return group.label.isEmpty() ? name : group.label + QStringLiteral(": ") + name;
}

void addItemSeries(HistoryChart& chart, const FileGroup& group, const HistoryOptions& options)
{
    const SeriesCollector collector(options, chart.timeAxis);
    for (const Item& item : Items) {
        const QString key = QString::fromLatin1(item.key);
        if (item.kind != chart.kind || !wanted(key, options))
            continue;
        HistorySeries series{key,
                             seriesName(item, group, options),
                             item.unit,
                             item.shownByDefault || !options.items.isEmpty(),
                             {}};
        bool inFiles = false;
        for (const LoggedFile* file : group.files)
            if (const LoggedFileColumn* column = file->find(item.column)) {
                collector.add(*file, *column, &item, series.points);
                inFiles = true;
            }
        collector.sortAndMerge(series.points);
        // A column of "-X-" only: the unit did not log the item.
        if (inFiles && !series.points.isEmpty())
            chart.series.push_back(std::move(series));
    }
}

// Columns whose label the program could not place, under their own header text.
void addUnknownSeries(HistoryChart& chart, const FileGroup& group, const HistoryOptions& options)
{
    if (!options.items.isEmpty())
        return;
    const SeriesCollector collector(options, chart.timeAxis);
    for (const LoggedFile* file : group.files)
        for (const LoggedFileColumn& column : file->columns) {
            if (column.column != LoggedColumn::Unknown)
                continue;
            auto series = std::find_if(chart.series.begin(), chart.series.end(),
                                       [&column](const HistorySeries& s) {
                                           return s.key.isEmpty() && s.name == column.header;
                                       });
            if (series == chart.series.end())
                series = chart.series.insert(chart.series.end(),
                                             HistorySeries{{}, column.header, U::None, true, {}});
            collector.add(*file, column, nullptr, series->points);
        }
    for (HistorySeries& series : chart.series)
        if (series.key.isEmpty())
            collector.sortAndMerge(series.points);
}

} // namespace

HistoryOptions HistoryOptions::fromSettings(const Settings& settings)
{
    HistoryOptions options;
    options.fahrenheit = settings.temperatureUnit == TEMPUNIT_FAHRENHEIT;
    std::copy_n(settings.reportLabels.begin(), options.labels.size(), options.labels.begin());
    return options;
}

std::vector<HistoryChart> HistoryCharts::build(const std::vector<LoggedFile>& files,
                                               const HistoryOptions& options)
{
    std::vector<HistoryChart> charts;
    for (LoggedFileKind kind :
         {LoggedFileKind::Periodic, LoggedFileKind::Efficiency, LoggedFileKind::DischargeProfile}) {
        const std::vector<FileGroup> groups = groupsOf(kind, files);
        if (groups.empty())
            continue;
        HistoryChart chart{kind,
                           chartTitle(kind),
                           kind != LoggedFileKind::DischargeProfile,
                           options.fahrenheit,
                           {}};
        for (const FileGroup& group : groups) {
            addItemSeries(chart, group, options);
            addUnknownSeries(chart, group, options);
        }
        charts.push_back(std::move(chart));
    }
    return charts;
}

QStringList HistoryCharts::itemKeys()
{
    QStringList keys;
    for (const Item& item : Items)
        keys.append(QString::fromLatin1(item.key));
    return keys;
}

QString HistoryCharts::unitTitle(ChartUnit unit, bool fahrenheit)
{
    if (unit == U::Temperature)
        return QStringLiteral("Temperature (%1)").arg(unitSymbol(unit, fahrenheit));
    return QString::fromUtf8(UnitTexts[static_cast<std::size_t>(unit)].title);
}

QString HistoryCharts::unitSymbol(ChartUnit unit, bool fahrenheit)
{
    if (unit == U::Temperature)
        return fahrenheit ? QStringLiteral("\u00B0F") : QStringLiteral("\u00B0C");
    return QString::fromUtf8(UnitTexts[static_cast<std::size_t>(unit)].symbol);
}
