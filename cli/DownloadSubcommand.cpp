#include "cli/DownloadSubcommand.h"

#include "cli/CliContext.h"
#include "cli/ExitCode.h"
#include "cli/TerminalProgress.h"
#include "cli/UnitConnection.h"
#include "display/LiveDisplay.h"
#include "logged/CsvFileWriter.h"
#include "logged/DownloadResult.h"
#include "logged/DownloadSequence.h"
#include "logged/LoggedFileNames.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace {

const QString Out = QStringLiteral("out");
const QString Name = QStringLiteral("name");
const QString Periodic = QStringLiteral("periodic");
const QString Efficiency = QStringLiteral("efficiency");
const QString Profile = QStringLiteral("profile");
const QString SyncTime = QStringLiteral("sync-time");
const QString Append = QStringLiteral("append");
const QString Clear = QStringLiteral("clear");

} // namespace

void DownloadSubcommand::addOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {Out, QStringLiteral("Folder of the data files (created when missing)."),
         QStringLiteral("dir")},
        {Name,
         QStringLiteral("Base name of the data files (default: CW_ and the date, as the "
                        "program offers it)."),
         QStringLiteral("base")},
        {Periodic, QStringLiteral("Fetch the periodic log.")},
        {Efficiency, QStringLiteral("Fetch both batteries' efficiency logs.")},
        {Profile, QStringLiteral("Fetch the battery discharge profile.")},
        {SyncTime, QStringLiteral("Set the unit's clock to the PC's time on the way.")},
        {Append, QStringLiteral("Also append the periodic records to this cumulative file."),
         QStringLiteral("file")},
        {Clear,
         QStringLiteral("Clear the unit's periodic log afterwards, but only when its records "
                        "were saved.")},
    });
}

int DownloadSubcommand::run(const QCommandLineParser& parser)
{
    if (const QString error = checkOptions(parser); !error.isEmpty())
        return context_.usageError(error);
    const DownloadJob job = makeJob(parser);
    if (!QDir().mkpath(job.folder)) {
        context_.err << CsvFileWriter::openFailureText(job.folder) << Qt::endl;
        return EXIT_FILE;
    }
    UnitConnection connection(context_.link);
    if (!connection.connectUnit())
        return context_.failed(connection);
    const std::optional<DownloadResult> result = transfer(job);
    if (!result)
        return EXIT_UNIT;
    return report(*result, parser.isSet(Clear), connection);
}

QString DownloadSubcommand::baseName(const QCommandLineParser& parser) const
{
    return parser.isSet(Name) ? parser.value(Name)
                              : LoggedFileNames::defaultBaseName(context_.now().date());
}

QString DownloadSubcommand::checkOptions(const QCommandLineParser& parser) const
{
    if (!parser.isSet(Out) || parser.value(Out).isEmpty())
        return QStringLiteral("download needs --out DIR, the folder of the data files.");
    const QString name = baseName(parser);
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("--name takes a file name without a folder: %1").arg(name);
    if (parser.isSet(Append) && QFileInfo(parser.value(Append)).fileName().isEmpty())
        return QStringLiteral("--append needs the name of a file.");
    return {};
}

DownloadJob DownloadSubcommand::makeJob(const QCommandLineParser& parser) const
{
    DownloadJob job = DownloadJob::fromSettings(
        context_.settings, QFileInfo(parser.value(Out)).absoluteFilePath(), baseName(parser));
    // Without a choice the logs are those the Download dialog would offer checked.
    if (parser.isSet(Periodic) || parser.isSet(Efficiency) || parser.isSet(Profile)) {
        job.periodic = parser.isSet(Periodic);
        job.efficiency = parser.isSet(Efficiency);
        job.dischargeProfile = parser.isSet(Profile);
    }
    // The clock, the cumulative file and the clearing follow the options, not the configuration.
    job.syncTime = parser.isSet(SyncTime);
    job.settings.singleFilePd = parser.isSet(Append) ? 1 : 0;
    if (parser.isSet(Append)) {
        const QFileInfo file(parser.value(Append));
        job.settings.dataPath = file.absolutePath();
        job.settings.singlePdFileName = file.fileName();
    }
    job.settings.clearLogData = parser.isSet(Clear) ? 1 : 0;
    return job;
}

std::optional<DownloadResult> DownloadSubcommand::transfer(const DownloadJob& job)
{
    // The program's download, with the report and the clearing left to this command.
    LiveDisplay live(context_.link, context_.settings, context_.prompts);
    DownloadRunner& download = live.download();
    download.setCompletion(DownloadRunner::Completion::LeaveToCaller);
    download.setClock(context_.now);
    TerminalProgress progress(context_.err, context_.errIsTerminal);
    QObject::connect(&download, &DownloadRunner::progressChanged,
                     [&progress](const DownloadProgress& shown) { progress.show(shown); });
    QObject::connect(&download, &DownloadRunner::transferEnded,
                     [&progress](bool) { progress.finish(); });
    std::optional<DownloadResult> result;
    QEventLoop loop;
    QObject::connect(&download, &DownloadRunner::finished, [&](const DownloadResult& done) {
        result = done;
        loop.quit();
    });
    if (!download.start(job))
        return std::nullopt;
    // The sequence always ends: a reply that does not come is given up after its time-out.
    if (!result)
        loop.exec();
    progress.finish();
    return result;
}

int DownloadSubcommand::report(const DownloadResult& result, bool clear, UnitConnection& connection)
{
    if (!result.success) {
        context_.err << result.summary << Qt::endl;
        return EXIT_UNIT;
    }
    for (const QString& failure : result.files.errors)
        context_.err << failure << Qt::endl;
    context_.out << result.summary << '\n';
    context_.out.flush();
    const int code = result.files.errors.isEmpty() ? EXIT_OK : EXIT_FILE;
    if (!clear)
        return code;
    if (result.clearing.action == PeriodicLogClearing::Action::Keep) {
        if (!result.keptNotice.isEmpty())
            context_.err << result.keptNotice << Qt::endl;
        return code;
    }
    return clearPeriodicLog(connection) ? code : EXIT_UNIT;
}

bool DownloadSubcommand::clearPeriodicLog(UnitConnection& connection)
{
    if (!connection.write(DownloadSequence::COMMAND_RECORD,
                          QByteArray(1, static_cast<char>(DownloadSequence::CLEAR_PERIODIC_LOG)))) {
        context_.err << connection.errorText() << Qt::endl;
        return false;
    }
    context_.out << "The Periodic Data in the Zeltravanic unit has been cleared." << '\n';
    context_.out.flush();
    return true;
}
