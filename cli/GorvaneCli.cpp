#include "cli/GorvaneCli.h"

#include "cli/ConsolePrompt.h"
#include "cli/ExitCode.h"
#include "cli/LinkOptions.h"
#include "cli/UnitSession.h"
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
      link_(std::make_unique<CUnitLink>(*prompts_, ComPortDirectory(folders_.portAliasFolder())))
{}

GorvaneCli::~GorvaneCli() = default;

QList<GorvaneCli::Command> GorvaneCli::commands()
{
    return {
        {"ports",
         "List the serial ports with their COM numbers.",
         "",
         {},
         [this](const QCommandLineParser& p) { return ports(p); },
         false},
        {"read",
         "Read one record of the unit and print it in hex.",
         "ADDRESS LENGTH",
         {},
         [this](const QCommandLineParser& p) { return read(p); },
         true},
    };
}

int GorvaneCli::run(const QStringList& arguments)
{
    const QString name = arguments.value(1);
    if (name.isEmpty() || name == QLatin1String("--help") || name == QLatin1String("-h"))
        return usage(name.isEmpty() ? QStringLiteral("No subcommand given.") : QString());
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
    stream << "\nEvery subcommand takes --help.\n";
    stream.flush();
    return error.isEmpty() ? EXIT_OK : EXIT_USAGE;
}

int GorvaneCli::runCommand(const Command& command, const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(command.summary));
    const QString syntax = QString::fromLatin1(command.arguments);
    if (!syntax.isEmpty())
        parser.addPositionalArgument(QStringLiteral("arguments"), syntax, syntax);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (command.needsUnit)
        LinkOptions::addTo(parser);
    if (command.addOptions)
        command.addOptions(parser);

    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        const qsizetype programEnd = text.indexOf(QLatin1String(" [options]"));
        if (text.startsWith(QLatin1String("Usage: ")) && programEnd > 0)
            text.replace(7, programEnd - 7,
                         QStringLiteral("gorvane-cli ") + QString::fromLatin1(command.name));
        out_ << text;
        out_.flush();
        return EXIT_OK;
    }
    QString error;
    if (command.needsUnit && !LinkOptions::apply(parser, *link_, folders_, *prompts_, error)) {
        err_ << error << Qt::endl;
        return EXIT_USAGE;
    }
    return command.run(parser);
}

int GorvaneCli::ports(const QCommandLineParser&)
{
    for (const ComPort& port : link_->ports().list())
        out_ << QStringLiteral("COM%1").arg(port.number) << '\t' << port.device << '\n';
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
    UnitSession session(*link_);
    if (!session.connectUnit()) {
        err_ << session.errorText() << Qt::endl;
        return EXIT_CONNECTION;
    }
    const auto reply = session.read(static_cast<std::uint8_t>(address), length);
    if (!reply) {
        err_ << session.errorText() << Qt::endl;
        return session.connectionFailed() ? EXIT_CONNECTION : EXIT_UNIT;
    }
    out_ << hex(*reply) << '\n';
    out_.flush();
    return EXIT_OK;
}
