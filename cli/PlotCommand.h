#pragma once

#include <QString>
#include <QStringList>

class CliContext;
class QCommandLineParser;

// gorvane-cli plot FILE... --out PNG [--size WxH] [--items NAME,...] [--from DATE] [--to DATE]:
// the charts of data files drawn into a PNG, for jobs that mail a daily picture. The drawing
// needs Qt's widget libraries, which this program does without, so gorvane-plot draws: this
// command checks the words, runs it with them and hands on what it says and its exit code.
class PlotCommand {
public:
    static void addOptions(QCommandLineParser& parser);

    explicit PlotCommand(CliContext& context) : context_(context) {}

    int run(const QCommandLineParser& parser);

    // gorvane-plot beside this program (the build) or in the installation's libexec folder;
    // empty when neither has it.
    static QString plotProgram(const QString& programFolder);

private:
    int runPlotProgram(const QString& program, const QStringList& arguments);

    CliContext& context_;
};
