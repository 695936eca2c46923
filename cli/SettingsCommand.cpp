#include "cli/SettingsCommand.h"

#include "cli/CliContext.h"
#include "cli/ExitCode.h"
#include "cli/UnitConnection.h"
#include "link/FirmwareVersion.h"
#include "link/RecordMap.h"
#include "programming/ParameterTable.h"

#include <QCommandLineParser>

namespace {

const QString ONLY = QStringLiteral("only");
const QString INCLUDE_NETWORK = QStringLiteral("include-network");
const QString DRY_RUN = QStringLiteral("dry-run");

QString shownLine(const QByteArray& bytes, const UnitSettings::Compared& row, const QString& text)
{
    return SettingsFile::addressAndBytes({row.record, bytes}) + QStringLiteral(" | ") + text;
}

} // namespace

void SettingsCommand::addOptions(QCommandLineParser& parser)
{
    parser.addOption({ONLY,
                      QStringLiteral("restore: write only these parameters, e.g. P26,P32 (the "
                                     "network blocks are NetA, NetB, NetC)."),
                      QStringLiteral("TAGS")});
    parser.addOption(
        {INCLUDE_NETWORK, QStringLiteral("restore: write the network adapter's settings too.")});
    parser.addOption({DRY_RUN, QStringLiteral("restore: print what would be written, write "
                                              "nothing.")});
}

int SettingsCommand::run(const QCommandLineParser& parser)
{
    Choice choice;
    QString error;
    if (!choose(parser, choice, error))
        return context_.usageError(error);
    std::optional<SettingsFile> file;
    if (choice.action != Action::Save) {
        QStringList errors;
        file = SettingsFile::readFrom(choice.path, errors);
        if (!file)
            return fileError(errors);
    }
    UnitConnection connection(context_.link);
    if (!connection.connectUnit())
        return context_.failed(connection);
    const auto version = connection.read(RecordMap::Version.address, RecordMap::Version.length);
    if (!version)
        return context_.failed(connection);
    ParameterTable table;
    UnitSettings settings(context_.link, table,
                          FirmwareVersion::fromByte(static_cast<std::uint8_t>(version->at(0))));
    if (choice.action == Action::Save)
        return save(settings, choice.path);
    auto comparison = settings.compare(*file);
    if (!comparison) {
        context_.err << settings.errorText() << Qt::endl;
        return EXIT_UNIT;
    }
    for (const QString& note : UnitSettings::skipped(*comparison))
        context_.err << note << '\n';
    if (choice.action == Action::Diff)
        return diff(*comparison);
    return restore(settings, *comparison, choice);
}

bool SettingsCommand::choose(const QCommandLineParser& parser, Choice& choice, QString& error) const
{
    const QStringList positional = parser.positionalArguments();
    const QString action = positional.value(0);
    const QList<std::pair<QString, Action>> actions{{QStringLiteral("save"), Action::Save},
                                                    {QStringLiteral("diff"), Action::Diff},
                                                    {QStringLiteral("restore"), Action::Restore}};
    const auto named = std::find_if(actions.begin(), actions.end(),
                                    [&action](const auto& each) { return each.first == action; });
    if (positional.size() != 2 || named == actions.end()) {
        error = QStringLiteral("settings needs save, diff or restore and a FILE.");
        return false;
    }
    choice = {named->second, positional[1], std::nullopt, parser.isSet(INCLUDE_NETWORK),
              parser.isSet(DRY_RUN)};
    const bool restoreOptions = parser.isSet(ONLY) || choice.includeNetwork || choice.dryRun;
    if (restoreOptions && choice.action != Action::Restore) {
        error = QStringLiteral("--only, --include-network and --dry-run belong to restore.");
        return false;
    }
    if (!parser.isSet(ONLY))
        return true;
    choice.only.emplace();
    for (const QString& tag : parser.value(ONLY).split(u',', Qt::SkipEmptyParts)) {
        const auto record = SettingsRecords::withTag(tag.trimmed());
        if (!record) {
            error = QStringLiteral("Not a parameter of a settings file: %1").arg(tag);
            return false;
        }
        choice.only->insert(record->slot);
    }
    return true;
}

int SettingsCommand::save(UnitSettings& settings, const QString& path)
{
    const auto file = settings.save(context_.now());
    if (!file) {
        context_.err << settings.errorText() << Qt::endl;
        return EXIT_UNIT;
    }
    for (const QString& warning : settings.warnings())
        context_.err << warning << '\n';
    QString error;
    if (!file->writeTo(path, error)) {
        context_.err << error << Qt::endl;
        return EXIT_FILE;
    }
    context_.out << QStringLiteral("Saved %1 parameter records of firmware %2 to %3.")
                        .arg(file->entries.size())
                        .arg(FirmwareVersion::text(file->firmware), path)
                 << Qt::endl;
    return EXIT_OK;
}

int SettingsCommand::diff(const QList<UnitSettings::Compared>& comparison)
{
    int differing = 0;
    for (const UnitSettings::Compared& row : comparison) {
        if (!row.differs())
            continue;
        printRow(row);
        ++differing;
    }
    context_.out.flush();
    context_.err.flush();
    return differing == 0 ? EXIT_OK : EXIT_DIFFERS;
}

int SettingsCommand::restore(UnitSettings& settings, QList<UnitSettings::Compared>& comparison,
                             const Choice& choice)
{
    const QSet<int> selected = selection(comparison, choice);
    for (const UnitSettings::Compared& row : comparison)
        if (!choice.only && row.isWritable() && row.record.isNetwork() &&
            !selected.contains(row.record.slot))
            context_.err << row.record.title() << " differs; --include-network writes it.\n";
    if (choice.dryRun || selected.isEmpty()) {
        for (const UnitSettings::Compared& row : comparison)
            if (selected.contains(row.record.slot))
                context_.out << "Would write " << row.record.title() << ": "
                             << shownLine(row.fileBytes, row, row.fileText) << '\n';
        if (selected.isEmpty())
            context_.out << "Nothing to write.\n";
        context_.out.flush();
        context_.err.flush();
        return EXIT_OK;
    }
    const UnitSettings::Report report = settings.restore(comparison, selected);
    context_.err.flush();
    (report.completed() ? context_.out : context_.err) << report.summary() << Qt::endl;
    return report.completed() ? EXIT_OK : EXIT_UNIT;
}

QSet<int> SettingsCommand::selection(const QList<UnitSettings::Compared>& comparison,
                                     const Choice& choice) const
{
    QSet<int> selected;
    for (const UnitSettings::Compared& row : comparison) {
        const bool named = choice.only && choice.only->contains(row.record.slot);
        const bool network = row.record.isNetwork();
        const bool wanted =
            (choice.includeNetwork && network) || (choice.only ? named : row.isTickedByDefault());
        if (row.isWritable() && wanted)
            selected.insert(row.record.slot);
    }
    return selected;
}

void SettingsCommand::printRow(const UnitSettings::Compared& row) const
{
    context_.out << row.record.title() << '\n';
    context_.out << "  unit  "
                 << (row.unitBytes ? shownLine(*row.unitBytes, row, row.unitText)
                                   : QStringLiteral("(not offered by its firmware)"))
                 << '\n';
    context_.out << "  file  " << shownLine(row.fileBytes, row, row.fileText) << '\n';
}

int SettingsCommand::fileError(const QStringList& errors) const
{
    for (const QString& error : errors)
        context_.err << error << '\n';
    context_.err.flush();
    return EXIT_FILE;
}
