#include "simulator/SimulatorOptions.h"

#include "simulator/ComAlias.h"
#include "simulator/Scenario.h"
#include "simulator/TcpEndpoint.h"

#include <QCommandLineParser>
#include <QTime>

namespace {

struct Reader {
    QCommandLineParser& parser;
    QString& error;

    bool number(const QString& name, int low, int high, int& value) const
    {
        if (!parser.isSet(name))
            return true;
        bool ok = false;
        const int parsed = parser.value(name).toInt(&ok, 0);
        if (!ok || parsed < low || parsed > high) {
            error = QStringLiteral("--%1 wants a number from %2 to %3, not \"%4\"")
                        .arg(name)
                        .arg(low)
                        .arg(high)
                        .arg(parser.value(name));
            return false;
        }
        value = parsed;
        return true;
    }
};

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral(
            "A stand-in Zeltravanic unit for trying Gorvane without hardware and for tests.\n"
            "With neither --tcp nor --serial it listens as the network adapter on 127.0.0.1:1701.\n"
            "Standard output: the serial device path on the first line (with --serial), then\n"
            "\"tcp 127.0.0.1:PORT\" (with TCP). Faults take a selector: all, N (the Nth request),\n"
            "read|bulk|write[@ADDRESS][:N] (every or the Nth such request), several joined by\n"
            "commas; --refuse-login takes all or N (the Nth login attempt).\n"
            "Scenarios: ") +
        Scenario::names().join(QStringLiteral(", ")));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("tcp"),
         QStringLiteral("Listen as the network adapter on 127.0.0.1:PORT (0: any free port)."),
         QStringLiteral("PORT")},
        {QStringLiteral("serial"),
         QStringLiteral("Open a pseudo-terminal and print its path on the first line.")},
        {QStringLiteral("alias"),
         QStringLiteral("Register the serial line as COMn for the program."),
         QStringLiteral("COMn")},
        {QStringLiteral("ports-dir"),
         QStringLiteral("Folder of COM aliases (default: the program's own)."),
         QStringLiteral("DIR")},
        {QStringLiteral("scenario"), QStringLiteral("Start from a named scenario."),
         QStringLiteral("NAME")},
        {QStringLiteral("image"), QStringLiteral("Load the log memory from an image file."),
         QStringLiteral("FILE")},
        {QStringLiteral("save-image"), QStringLiteral("Save the log memory image on exit."),
         QStringLiteral("FILE")},
        {QStringLiteral("fast-forward"),
         QStringLiteral("Run the unit DAYS days ahead before serving."), QStringLiteral("DAYS")},
        {QStringLiteral("pace"), QStringLiteral("Send every byte at real 2400-baud speed.")},
        {QStringLiteral("latency"), QStringLiteral("Wait MS milliseconds before every reply."),
         QStringLiteral("MS")},
        {QStringLiteral("speed"), QStringLiteral("Unit seconds per real second (default 1)."),
         QStringLiteral("N")},
        {QStringLiteral("status-byte"),
         QStringLiteral("The adapter's status byte before every TCP reply (default 0)."),
         QStringLiteral("N")},
        {QStringLiteral("clock"),
         QStringLiteral("Start the unit clock at HH:MM of day 0 (default: the PC's time)."),
         QStringLiteral("HH:MM")},
        {QStringLiteral("max-seconds"), QStringLiteral("Exit after N seconds."),
         QStringLiteral("N")},
        {QStringLiteral("no-listen"), QStringLiteral("Prepare the unit, save the image and exit.")},
        {QStringLiteral("verbose"), QStringLiteral("Log every served request on standard error.")},
    });
    for (const auto& [kind, name] : FaultPlan::names()) {
        parser.addOption({name, QStringLiteral("Fault: %1.").arg(FaultPlan::describe(kind)),
                          QStringLiteral("SELECTOR")});
    }
}

bool readTransport(const QCommandLineParser& parser, SimulatorOptions& options, QString& error)
{
    options.serial = parser.isSet(QStringLiteral("serial"));
    options.noListen = parser.isSet(QStringLiteral("no-listen"));
    if (parser.isSet(QStringLiteral("alias"))) {
        const std::optional<int> number = ComAlias::numberOf(parser.value(QStringLiteral("alias")));
        if (!number || !options.serial) {
            error = QStringLiteral("--alias wants COM1..COM255 and --serial");
            return false;
        }
        options.aliasNumber = *number;
    }
    options.portsFolder = parser.isSet(QStringLiteral("ports-dir"))
                              ? parser.value(QStringLiteral("ports-dir"))
                              : ComAlias::defaultFolder();
    if (!parser.isSet(QStringLiteral("tcp")) && !options.serial && !options.noListen)
        options.tcpPort = TcpEndpoint::DefaultPort;
    return true;
}

bool readFaults(const QCommandLineParser& parser, SimulatorOptions& options, QString& error)
{
    for (const auto& [kind, name] : FaultPlan::names()) {
        for (const QString& selector : parser.values(name)) {
            FaultPlan probe;
            if (!probe.add(kind, selector, &error)) {
                error = QStringLiteral("--%1: %2").arg(name, error);
                return false;
            }
            options.faults.append({kind, selector});
        }
    }
    return true;
}

bool readNumbers(QCommandLineParser& parser, SimulatorOptions& options, QString& error)
{
    const Reader reader{parser, error};
    int port = 0;
    int status = 0;
    if (!reader.number(QStringLiteral("tcp"), 0, 65535, port) ||
        !reader.number(QStringLiteral("fast-forward"), 0, 3650, options.fastForwardDays) ||
        !reader.number(QStringLiteral("latency"), 0, 60000, options.latencyMs) ||
        !reader.number(QStringLiteral("speed"), 1, 3600, options.speed) ||
        !reader.number(QStringLiteral("status-byte"), 0, 255, status) ||
        !reader.number(QStringLiteral("max-seconds"), 1, 365 * 86400, options.maxSeconds))
        return false;
    if (parser.isSet(QStringLiteral("tcp")))
        options.tcpPort = static_cast<quint16>(port);
    options.statusByte = static_cast<quint8>(status);
    return true;
}

} // namespace

SimulatorOptions::Outcome SimulatorOptions::parse(const QStringList& arguments,
                                                  SimulatorOptions& options, QString& text)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        text = parser.errorText();
        return Outcome::Error;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        text = parser.helpText();
        return Outcome::Help;
    }
    if (!parser.positionalArguments().isEmpty()) {
        text = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return Outcome::Error;
    }
    options.scenario = parser.value(QStringLiteral("scenario"));
    options.imageFile = parser.value(QStringLiteral("image"));
    options.saveImageFile = parser.value(QStringLiteral("save-image"));
    options.paced = parser.isSet(QStringLiteral("pace"));
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    if (parser.isSet(QStringLiteral("clock"))) {
        const QTime time =
            QTime::fromString(parser.value(QStringLiteral("clock")), QStringLiteral("H:mm"));
        if (!time.isValid()) {
            text = QStringLiteral("--clock wants HH:MM, not \"%1\"")
                       .arg(parser.value(QStringLiteral("clock")));
            return Outcome::Error;
        }
        options.clockMinute = time.hour() * 60 + time.minute();
    }
    if (!options.scenario.isEmpty() && !Scenario::names().contains(options.scenario)) {
        text = QStringLiteral("no scenario \"%1\"; there are: %2")
                   .arg(options.scenario, Scenario::names().join(QStringLiteral(", ")));
        return Outcome::Error;
    }
    if (!readTransport(parser, options, text) || !readNumbers(parser, options, text) ||
        !readFaults(parser, options, text))
        return Outcome::Error;
    return Outcome::Run;
}
