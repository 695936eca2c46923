#include "cli/PlotCommand.h"

#include "cli/CliContext.h"
#include "cli/ExitCode.h"
#include "logged/PlotRequest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

static_assert(PlotRequest::ExitOk == int{EXIT_OK} && PlotRequest::ExitUsage == int{EXIT_USAGE} &&
                  PlotRequest::ExitFile == int{EXIT_FILE},
              "gorvane-plot's exit codes are handed on as gorvane-cli's");

namespace {

const QString PlotProgramName = QStringLiteral("gorvane-plot");

} // namespace

void PlotCommand::addOptions(QCommandLineParser& parser)
{
    PlotRequest::addOptions(parser);
}

int PlotCommand::run(const QCommandLineParser& parser)
{
    QString error;
    if (!PlotRequest::parse(parser, error))
        return context_.usageError(error);
    const QString folder = QCoreApplication::applicationDirPath();
    const QString program = plotProgram(folder);
    if (program.isEmpty()) {
        context_.err << "gorvane-plot, which draws the charts, is neither in " << folder
                     << " nor in " << QDir(folder).filePath(QStringLiteral(GORVANE_PLOT_FOLDER))
                     << Qt::endl;
        return EXIT_FILE;
    }
    return runPlotProgram(program, PlotRequest::arguments(parser));
}

QString PlotCommand::plotProgram(const QString& programFolder)
{
    const QDir folder(programFolder);
    for (const QString& candidate :
         {folder.filePath(PlotProgramName),
          QDir(folder.filePath(QStringLiteral(GORVANE_PLOT_FOLDER))).filePath(PlotProgramName)}) {
        const QFileInfo file(candidate);
        if (file.isFile() && file.isExecutable())
            return file.absoluteFilePath();
    }
    return QString();
}

int PlotCommand::runPlotProgram(const QString& program, const QStringList& arguments)
{
    QProcess plot;
    QEventLoop loop;
    QObject::connect(&plot, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&plot, &QProcess::errorOccurred, &loop, [&loop, &plot] {
        if (plot.state() == QProcess::NotRunning)
            loop.quit();
    });
    plot.start(program, arguments);
    loop.exec();
    context_.out << QString::fromLocal8Bit(plot.readAllStandardOutput());
    context_.out.flush();
    context_.err << QString::fromLocal8Bit(plot.readAllStandardError());
    if (plot.error() == QProcess::FailedToStart || plot.exitStatus() != QProcess::NormalExit) {
        context_.err << "gorvane-plot failed: " << plot.errorString() << Qt::endl;
        return EXIT_FILE;
    }
    context_.err.flush();
    return plot.exitCode();
}
