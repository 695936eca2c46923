#include "cli/GorvaneCli.h"

#include "cli/CliContext.h"
#include "cli/ClockCommand.h"
#include "cli/ConsolePrompt.h"
#include "cli/DownloadSubcommand.h"
#include "cli/ExitCode.h"
#include "cli/InfoCommand.h"
#include "cli/LinkOptions.h"
#include "cli/LiveCommand.h"
#include "cli/PlotCommand.h"
#include "cli/PublishCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/UnitConnection.h"
#include "link/CUnitLink.h"

#include <QCommandLineParser>

namespace {

bool parseNumber(const QString& text, int maximum, int& value)
{
    bool ok = false;
    value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16)
                                                                      : text.toInt(&ok, 10);
    return ok && value >= 0 && value <= maximum;
}

QString hex(const QByteArray& bytes)
{
    QStringList parts;
    for (char byte : bytes)
        parts.append(QStringLiteral("%1").arg(static_cast<quint8>(byte), 2, 16, QChar(u'0')));
    return parts.join(u' ').toUpper();
}

} // namespace

GorvaneCli::GorvaneCli(QTextStream& out, QTextStream& err, ConfigFolders folders)
    : out_(out), err_(err), folders_(std::move(folders)),
      prompts_(std::make_unique<ConsolePrompt>(err)),
      link_(std::make_unique<CUnitLink>(*prompts_, ComPortDirectory(folders_.portAliasFolder()))),
      context_(std::make_unique<CliContext>(out, err, *link_, *prompts_))
{
    context_->unitImageFolder = folders_.unitImageFolder();
}

GorvaneCli::~GorvaneCli() = default;

void GorvaneCli::setClock(std::function<QDateTime()> now)
{
    context_->now = std::move(now);
}

void GorvaneCli::setErrIsTerminal(bool terminal)
{
    context_->errIsTerminal = terminal;
}

QList<GorvaneCli::Command> GorvaneCli::commands()
{
    return {
        {"ports",
         "List the serial ports with their COM numbers.",
         "",
         {},
         [this](const QCommandLineParser& p) { return ports(p); },
         false,
         false},
        {"info", "Show the unit's firmware version, channel names, shunts, batteries and clock.",
         "", &InfoCommand::addOptions,
         [this](const QCommandLineParser& p) { return InfoCommand(*context_).run(p); }, true,
         false},
        {"live", "Read live items and the battery status flags (default: the six display slots).",
         "[ITEM...]", &LiveCommand::addOptions,
         [this](const QCommandLineParser& p) { return LiveCommand(*context_).run(p); }, true, true},
        {"clock", "Show the unit's clock, or set it to the PC's time.", "",
         &ClockCommand::addOptions,
         [this](const QCommandLineParser& p) { return ClockCommand(*context_).run(p); }, true,
         false},
        {"download", "Download the logged data into the program's data files.", "",
         &DownloadSubcommand::addOptions,
         [this](const QCommandLineParser& p) { return DownloadSubcommand(*context_).run(p); }, true,
         true},
        {"plot", "Draw the charts of data files into a PNG.", "FILE...", &PlotCommand::addOptions,
         [this](const QCommandLineParser& p) { return PlotCommand(*context_).run(p); }, false,
         false},
        {"settings", "Save the unit's settings to a file, compare them with one, or restore them.",
         "save|diff|restore FILE", &SettingsCommand::addOptions,
         [this](const QCommandLineParser& p) { return SettingsCommand(*context_).run(p); }, true,
         false},
        {"publish", "Publish the unit's readings to an MQTT broker until interrupted.", "",
         &PublishCommand::addOptions,
         [this](const QCommandLineParser& p) {
             return PublishCommand(*context_, *prompts_).run(p);
         },
         true, true},
        {"read",
         "Read one record of the unit and print it in hex.",
         "ADDRESS LENGTH",
         {},
         [this](const QCommandLineParser& p) { return read(p); },
         true,
         false},
    };
}

int GorvaneCli::run(const QStringList& arguments)
{
    const QString name = arguments.value(1);
    if (name.isEmpty() || name == QLatin1String("--help") || name == QLatin1String("-h"))
        return usage(name.isEmpty() ? QStringLiteral("No subcommand given.") : QString());
    if (name == QLatin1String("--version")) {
        out_ << "gorvane-cli " << GORVANE_VERSION << Qt::endl;
        return EXIT_OK;
    }
    for (const Command& command : commands())
        if (name == QLatin1String(command.name))
            return runCommand(command, arguments.mid(1));
    return usage(QStringLiteral("Unknown subcommand: %1").arg(name));
}

int GorvaneCli::usage(const QString& error)
{
    QTextStream& stream = error.isEmpty() ? out_ : err_;
    if (!error.isEmpty())
        stream << error << "\n\n";
    stream << "Usage: gorvane-cli SUBCOMMAND [OPTIONS]\n\nSubcommands:\n";
    for (const Command& command : commands())
        stream << "  " << QString::fromLatin1(command.name).leftJustified(10) << ' '
               << command.summary << '\n';
    stream << "\nEvery subcommand takes --help; --version prints the program's version.\n";
    stream.flush();
    return error.isEmpty() ? EXIT_OK : EXIT_USAGE;
}

int GorvaneCli::subcommandUsage(const Command& command, const QString& error)
{
    err_ << error << "\nSee gorvane-cli " << command.name << " --help." << Qt::endl;
    return EXIT_USAGE;
}

int GorvaneCli::runCommand(const Command& command, const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(command.summary));
    const QString syntax = QString::fromLatin1(command.arguments);
    if (!syntax.isEmpty())
        parser.addPositionalArgument(syntax, QString(), syntax);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (command.needsUnit)
        LinkOptions::addTo(parser);
    if (command.addOptions)
        command.addOptions(parser);

    if (!parser.parse(arguments))
        return subcommandUsage(command, parser.errorText());
    if (parser.isSet(help))
        return this->help(command, parser);
    if (syntax.isEmpty() && !parser.positionalArguments().isEmpty())
        return subcommandUsage(
            command,
            QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().join(u' ')));
    QString error;
    if (command.needsUnit &&
        !LinkOptions::apply(parser, *link_, folders_, *prompts_,
                            command.usesSettings ? &context_->settings : nullptr, error))
        return context_->usageError(error);
    return command.run(parser);
}

int GorvaneCli::help(const Command& command, const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    const qsizetype programEnd = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && programEnd > 0)
        text.replace(7, programEnd - 7,
                     QStringLiteral("gorvane-cli ") + QString::fromLatin1(command.name));
    out_ << text;
    out_.flush();
    return EXIT_OK;
}

int GorvaneCli::ports(const QCommandLineParser&)
{
    for (const ComPort& port : link_->ports().list())
        out_ << ComPortDirectory::nameOf(port.number) << '\t' << port.device << '\n';
    out_.flush();
    return EXIT_OK;
}

int GorvaneCli::read(const QCommandLineParser& parser)
{
    const QStringList positional = parser.positionalArguments();
    int address = 0, length = 0;
    if (positional.size() != 2 || !parseNumber(positional[0], 0xFF, address) ||
        !parseNumber(positional[1], 256, length) || length == 0) {
        err_ << "read needs ADDRESS (0..255, e.g. 0xF7) and LENGTH (1..256)." << Qt::endl;
        return EXIT_USAGE;
    }
    UnitConnection connection(*link_);
    if (!connection.connectUnit())
        return context_->failed(connection);
    const auto reply = connection.read(static_cast<std::uint8_t>(address), length);
    if (!reply)
        return context_->failed(connection);
    out_ << hex(*reply) << '\n';
    out_.flush();
    return EXIT_OK;
}
