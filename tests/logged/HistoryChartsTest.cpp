#include "logged/HistoryCharts.h"

#include "logged/LoggedFileReader.h"
#include "logged/PlotRequest.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <gtest/gtest.h>

namespace {

// 03/01/2026 00:00:00 UTC, as the files below say it.
constexpr qint64 Midnight = 1772323200;

LoggedFile fileOf(const char* rows)
{
    LoggedFileOptions utc;
    utc.zone = QTimeZone::utc();
    const QByteArray text = QByteArray("Date Time,AD3: Volts 1,AD22: Battery #1: %Full\r") + rows;
    return readLoggedFile(text, QStringLiteral("f.csv"), utc).file.value();
}

// Each series of the one chart as "key:x,x,..." with x in hours after midnight.
QStringList seriesOf(const std::vector<HistoryChart>& charts)
{
    QStringList series;
    for (const HistorySeries& line : charts.at(0).series) {
        QStringList hours;
        for (const QPointF& point : line.points)
            hours.append(QString::number((point.x() / 1000 - Midnight) / 3600));
        series.append(line.key + ':' + hours.join(','));
    }
    return series;
}

} // namespace

// A download's file and the cumulative file that holds the same rows make one history, each time
// once, narrowed to the items and the times the command line asks for.
TEST(HistoryCharts, OverlappingFilesMakeOneHistoryOfTheItemsAndTimesAsked)
{
    const std::vector<LoggedFile> files{
        fileOf("03/01/2026 00:00:00,12.1,50\r03/01/2026 01:00:00,12.2,-X-"),
        fileOf("03/01/2026 01:00:00,12.2,60\r03/01/2026 02:00:00,12.3,70\r")};
    struct Case {
        const char* name;
        QStringList items;
        std::optional<qint64> from, to;
        QStringList series;
    };
    const Case cases[] = {
        {"Everything", {}, {}, {}, {"volts1:0,1,2", "full1:0,1,2"}},
        {"OneItem", {"full1"}, {}, {}, {"full1:0,1,2"}},
        {"FromOneOClock", {}, Midnight + 3600, {}, {"volts1:1,2", "full1:1,2"}},
        {"UpToOneOClock", {"volts1"}, {}, Midnight + 3600, {"volts1:0,1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryOptions options;
        options.items = c.items;
        options.from = c.from;
        options.to = c.to;
        EXPECT_EQ(seriesOf(HistoryCharts::build(files, options)), c.series);
    }
}

// What gorvane-cli plot and gorvane-plot take from their words, and why they refuse the rest.
TEST(PlotRequest, TheWordsAreTakenOrRefusedWithTheReason)
{
    const QStringList good{"a.csv", "--out", "p.png"};
    struct Case {
        const char* name;
        QStringList words;
        QString error;
    };
    const Case cases[] = {
        {"NoFile", {"--out", "p.png"}, "plot needs at least one data file."},
        {"NotAPng",
         {"a.csv", "--out", "p.jpg"},
         "plot needs --out with a file name ending in .png."},
        {"TooSmall", good + QStringList{"--size", "199x800"},
         "--size needs WIDTHxHEIGHT, each 200 to 4000 pixels: 199x800"},
        {"NotASize", good + QStringList{"--size", "800"},
         "--size needs WIDTHxHEIGHT, each 200 to 4000 pixels: 800"},
        {"UnknownItem", good + QStringList{"--items", "volts1,volts9"},
         "Not an item: volts9 (the items are " + HistoryCharts::itemKeys().join(", ") + ")"},
        {"NotADate", good + QStringList{"--from", "2026-13-01"},
         "--from needs a date as YYYY-MM-DD [HH:MM[:SS]]: 2026-13-01"},
        {"Reversed", good + QStringList{"--from", "2026-03-02", "--to", "2026-03-01"},
         "--from comes after --to."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QCommandLineParser parser;
        PlotRequest::addOptions(parser);
        ASSERT_TRUE(parser.parse(QStringList{"plot"} + c.words));
        QString error;
        EXPECT_FALSE(PlotRequest::parse(parser, error).has_value());
        EXPECT_EQ(error, c.error);
    }
    // A date alone is the whole day, in the PC's time.
    QCommandLineParser parser;
    PlotRequest::addOptions(parser);
    ASSERT_TRUE(parser.parse(QStringList{"plot"} + good +
                             QStringList{"--size", "640x480", "--items", "Volts1, full1", "--from",
                                         "2026-03-01", "--to", "2026-03-01"}));
    QString error;
    const std::optional<PlotRequest> request = PlotRequest::parse(parser, error);
    ASSERT_TRUE(request) << error.toStdString();
    EXPECT_EQ(request->size, QSize(640, 480));
    EXPECT_EQ(request->items, QStringList({"volts1", "full1"}));
    const QDateTime day(QDate(2026, 3, 1), QTime(0, 0));
    EXPECT_EQ(request->from, day.toSecsSinceEpoch());
    EXPECT_EQ(request->to, day.addSecs(86399).toSecsSinceEpoch());
}
