#pragma once

#include <QSize>
#include <QStringList>
#include <optional>

class QCommandLineParser;

// A picture of the data files' charts, as the command line asks for it:
//     FILE... --out PNG [--size WxH] [--items NAME,...] [--from DATE] [--to DATE]
// The command-line program checks it before it hands the same words to the program that
// draws, which reads them again with the same rules.
struct PlotRequest {
    // What the program that draws tells its caller: gorvane-cli's own exit codes, which it
    // hands on.
    static constexpr int ExitOk = 0;
    static constexpr int ExitUsage = 1;
    static constexpr int ExitFile = 4;

    static constexpr QSize DefaultSize{1200, 800};
    static constexpr int MinSide = 200;
    static constexpr int MaxSide = 4000;

    QStringList files;
    QString out;
    QSize size = DefaultSize;
    // Item names (HistoryCharts::itemKeys()); empty for every item shown by default.
    QStringList items;
    // Calendar seconds; a date alone is its first second for --from and its last for --to.
    std::optional<qint64> from;
    std::optional<qint64> to;

    static void addOptions(QCommandLineParser& parser);
    // The request of a parsed command line; none, with the reason in error, for a usage error.
    static std::optional<PlotRequest> parse(const QCommandLineParser& parser, QString& error);
    // The words of a parsed command line, for the program that draws.
    static QStringList arguments(const QCommandLineParser& parser);

private:
    static bool takeSize(const QString& text, PlotRequest& request, QString& error);
    static bool takeItems(const QString& text, PlotRequest& request, QString& error);
    static std::optional<qint64> dateOption(const QString& text, bool endOfDay);
};
