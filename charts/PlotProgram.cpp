#include "charts/PlotProgram.h"

#include "charts/ChartPicture.h"
#include "logged/CsvFileWriter.h"
#include "logged/HistoryCharts.h"
#include "logged/LoggedFileReader.h"
#include "logged/PlotRequest.h"

#include <QCommandLineParser>

namespace {

bool anyPoint(const std::vector<HistoryChart>& charts)
{
    for (const HistoryChart& chart : charts)
        for (const HistorySeries& series : chart.series)
            if (!series.points.isEmpty())
                return true;
    return false;
}

} // namespace

PlotProgram::PlotProgram(QTextStream& err, Settings settings)
    : err_(err), settings_(std::move(settings))
{}

int PlotProgram::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE..."), QStringLiteral("Data files."));
    PlotRequest::addOptions(parser);
    QString error;
    std::optional<PlotRequest> request;
    if (parser.parse(QStringList{QStringLiteral("gorvane-plot")} + arguments))
        request = PlotRequest::parse(parser, error);
    else
        error = parser.errorText();
    if (!request) {
        err_ << error << Qt::endl;
        return PlotRequest::ExitUsage;
    }

    HistoryOptions options = HistoryOptions::fromSettings(settings_);
    LoggedFileOptions reading;
    reading.labels = options.labels;
    std::vector<LoggedFile> files;
    for (const QString& path : request->files) {
        LoggedFileReading read = readLoggedFileAt(path, reading);
        if (!read.file)
            err_ << read.error << Qt::endl;
        else
            files.push_back(std::move(*read.file));
    }
    if (files.size() != static_cast<std::size_t>(request->files.size()))
        return PlotRequest::ExitFile;

    options.from = request->from;
    options.to = request->to;
    options.items = request->items;
    std::vector<HistoryChart> charts = HistoryCharts::build(files, options);
    if (!anyPoint(charts))
        err_ << "The files hold no values of these items in these dates; the chart is empty."
             << Qt::endl;
    if (!ChartPicture::draw(std::move(charts), request->size).save(request->out, "PNG")) {
        err_ << CsvFileWriter::openFailureText(request->out) << Qt::endl;
        return PlotRequest::ExitFile;
    }
    return PlotRequest::ExitOk;
}
