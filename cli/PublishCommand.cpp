#include "cli/PublishCommand.h"

#include "cli/CliContext.h"
#include "cli/ConsolePrompt.h"
#include "cli/ExitCode.h"
#include "cli/ItemChoice.h"
#include "display/OptionsApply.h"
#include "link/CUnitLink.h"
#include "mqtt/UnitReader.h"
#include "mqtt/UnitTopics.h"
#include "resources/SignalWatcher.h"
#include "resources/StringTable.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>

namespace {

// A day between readings is the longest wait that makes sense.
constexpr double LongestIntervalSeconds = 86400.0;

QString option(const char* name)
{
    return QString::fromLatin1(name);
}

} // namespace

void PublishCommand::addOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {option("mqtt"), option("The broker (port 1883, or 8883 with --tls-ca, unless given)."),
         option("host[:port]")},
        {option("prefix"), option("First topic levels (default gorvane)."), option("topic")},
        {option("unit-id"),
         option("Topic level of the unit (default: the adapter's name or the COM number)."),
         option("id")},
        {option("interval"), option("Seconds between readings (default 10)."), option("seconds")},
        {option("items"),
         option("Live items to publish, such as AD1,AD7 (default: the six display slots)."),
         option("list")},
        {option("username"), option("User name at the broker."), option("user")},
        {option("password-file"), option("File whose first line is the broker password."),
         option("file")},
        {option("tls-ca"), option("Connect with TLS, trusting the CA certificates in FILE."),
         option("file")},
        {option("ha-discovery"), option("Publish Home Assistant discovery configurations.")},
        {option("once"), option("Publish one reading, then end.")},
    });
}

PublishCommand::PublishCommand(CliContext& context, ConsolePrompt& prompts)
    : context_(context), prompts_(prompts), items_(StringTable::builtIn())
{}

int PublishCommand::run(const QCommandLineParser& parser)
{
    items_.build(OptionsApply::liveItemSettings(context_.settings));
    QString error;
    const QStringList names = parser.value(option("items")).split(u',', Qt::SkipEmptyParts);
    if (!readBroker(parser, error) || !readTopics(parser, error) || !readTiming(parser, error) ||
        !ItemChoice::choose(names, items_, context_.settings, chosen_, error))
        return context_.usageError(error);
    return publish();
}

bool PublishCommand::readBroker(const QCommandLineParser& parser, QString& error)
{
    const QString address = parser.value(option("mqtt"));
    broker_.caFile = parser.value(option("tls-ca"));
    broker_.host = address;
    broker_.port = broker_.caFile.isEmpty() ? DefaultPort : DefaultTlsPort;
    const qsizetype colon = address.lastIndexOf(u':');
    if (colon >= 0) {
        bool ok = false;
        broker_.host = address.left(colon);
        broker_.port = address.mid(colon + 1).toInt(&ok);
        if (!ok || broker_.port <= 0 || broker_.port > 65535) {
            error = QStringLiteral("Not a broker port: %1").arg(address.mid(colon + 1));
            return false;
        }
    }
    if (broker_.host.isEmpty()) {
        error = QStringLiteral("publish needs --mqtt HOST[:PORT], the broker to publish to.");
        return false;
    }
    broker_.username = parser.value(option("username"));
    const QString passwordFile = parser.value(option("password-file"));
    if (!passwordFile.isEmpty() && broker_.username.isEmpty()) {
        error = QStringLiteral("--password-file needs --username.");
        return false;
    }
    return passwordFile.isEmpty() || readPassword(passwordFile, error);
}

bool PublishCommand::readPassword(const QString& file, QString& error)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        error =
            QStringLiteral("Cannot read the password file %1: %2").arg(file, input.errorString());
        return false;
    }
    broker_.password = QString::fromUtf8(input.readLine()).remove(u'\n').remove(u'\r');
    return true;
}

bool PublishCommand::readTopics(const QCommandLineParser& parser, QString& error)
{
    prefix_ = parser.isSet(option("prefix")) ? parser.value(option("prefix"))
                                             : QString::fromLatin1(UnitTopics::DefaultPrefix);
    unitId_ = parser.isSet(option("unit-id")) ? parser.value(option("unit-id")) : defaultUnitId();
    error = UnitTopics::problemWith(prefix_, unitId_);
    return error.isEmpty();
}

QString PublishCommand::defaultUnitId() const
{
    if (context_.link.GetPortType() == PORT_TCP && !context_.settings.adapterName.isEmpty())
        return UnitTopics::unitIdFrom(context_.settings.adapterName);
    return UnitTopics::unitIdFrom(QStringLiteral("com%1").arg(context_.link.GetComPort()));
}

bool PublishCommand::readTiming(const QCommandLineParser& parser, QString& error)
{
    options_.discovery = parser.isSet(option("ha-discovery"));
    options_.once = parser.isSet(option("once"));
    double seconds = DefaultIntervalSeconds;
    bool ok = true;
    if (parser.isSet(option("interval")))
        seconds = parser.value(option("interval")).toDouble(&ok);
    if (!ok || seconds <= 0.0 || seconds > LongestIntervalSeconds) {
        error = QStringLiteral("--interval needs a number of seconds, more than 0 and at most "
                               "86400.");
        return false;
    }
    options_.intervalMs = std::max(1, qRound(seconds * 1000.0));
    return true;
}

int PublishCommand::publish()
{
    // The link's own messages would be printed on every attempt to reach a lost unit.
    prompts_.setHeld(true);
    UnitReader reader(context_.link, items_, context_.settings);
    reader.setItems(chosen_);
    reader.setClock(context_.now);
    MqttClient client(QStringLiteral("gorvane-") + unitId_);
    Publisher publisher(reader, client, UnitTopics(prefix_, unitId_), options_);
    publisher.setClock(context_.now);
    QObject::connect(&publisher, &Publisher::unitLost,
                     [this](const QString& reason) { tellUnitLost(reason); });
    QObject::connect(&publisher, &Publisher::unitBack, [this] {
        prompts_.takeHeld();
        tell(QStringLiteral("The unit answers again."));
    });
    QObject::connect(&publisher, &Publisher::brokerLost, [this](const QString& reason) {
        tell(QStringLiteral("The broker is lost: %1").arg(reason));
    });
    QObject::connect(&publisher, &Publisher::brokerBack,
                     [this] { tell(QStringLiteral("The broker is reached again.")); });
    QObject::connect(&publisher, &Publisher::brokerRefused,
                     [this](const QString& reason) { tell(reason); });

    QEventLoop loop;
    std::optional<Publisher::Outcome> outcome;
    QObject::connect(&publisher, &Publisher::finished, &loop, [&](Publisher::Outcome result) {
        outcome = result;
        loop.quit();
    });
    SignalWatcher signals;
    QObject::connect(&signals, &SignalWatcher::terminationRequested, &publisher, &Publisher::stop);
    QString error;
    if (!publisher.start(broker_, error))
        return context_.usageError(error);
    if (!outcome)
        loop.exec();
    prompts_.setHeld(false);
    return exitCodeOf(*outcome);
}

void PublishCommand::tell(const QString& line)
{
    context_.err << line << Qt::endl;
}

// The link's own message, when it gave one, says best why.
void PublishCommand::tellUnitLost(const QString& reason)
{
    const QString detail = prompts_.takeHeld();
    tell(QStringLiteral("The unit is lost: %1").arg(detail.isEmpty() ? reason : detail));
}

int PublishCommand::exitCodeOf(Publisher::Outcome outcome)
{
    switch (outcome) {
    case Publisher::Outcome::Stopped:
        return EXIT_OK;
    case Publisher::Outcome::UnitFailed:
        return EXIT_UNIT;
    case Publisher::Outcome::BrokerRefused:
    case Publisher::Outcome::BrokerFailed:
        break;
    }
    return EXIT_CONNECTION;
}
