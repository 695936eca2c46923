#include "cli/LinkOptions.h"

#include "config/CConfiguration.h"
#include "config/IgnoredLinkSettings.h"
#include "config/Settings.h"
#include "link/CUnitLink.h"
#include "link/LinkSettingsForwarder.h"

#include <QFileInfo>

namespace {

// The number a device given by path is known by when the rule gives it none.
constexpr int PathPortNumber = 255;

struct TimeoutOption {
    const char* name;
    const char* description;
    std::uint32_t SerialTimeouts::*field;
};

constexpr TimeoutOption TimeoutOptions[] = {
    {"read-interval", "Serial time-out: longest pause between two bytes of a reply, in ms.",
     &SerialTimeouts::readInterval},
    {"read-multiplier", "Serial time-out: ms per byte of a reply.",
     &SerialTimeouts::readMultiplier},
    {"read-constant", "Serial time-out: ms added to the wait for every reply.",
     &SerialTimeouts::readConstant},
    {"write-multiplier", "Serial time-out: ms per byte sent.", &SerialTimeouts::writeMultiplier},
    {"write-constant", "Serial time-out: ms added to every send.", &SerialTimeouts::writeConstant},
};

} // namespace

void LinkOptions::addTo(QCommandLineParser& parser)
{
    parser.addOption(
        {QStringLiteral("serial"),
         QStringLiteral("Serial port of the unit: COMn or a device such as /dev/ttyUSB0."),
         QStringLiteral("port")});
    parser.addOption({QStringLiteral("tcp"),
                      QStringLiteral("Network adapter of the unit (port 1701 unless given)."),
                      QStringLiteral("host[:port]")});
    for (const auto& option : TimeoutOptions)
        parser.addOption({QString::fromLatin1(option.name), QString::fromLatin1(option.description),
                          QStringLiteral("ms")});
}

bool LinkOptions::apply(const QCommandLineParser& parser, CUnitLink& link,
                        const ConfigFolders& folders, PromptService& prompts, Settings* settings,
                        QString& error)
{
    const bool serial = parser.isSet(QStringLiteral("serial"));
    const bool tcp = parser.isSet(QStringLiteral("tcp"));
    if (serial && tcp) {
        error = QStringLiteral("Give either --serial or --tcp, not both.");
        return false;
    }
    loadConfiguration(!serial && !tcp, link, folders, prompts, settings);
    if (serial && !applySerial(parser.value(QStringLiteral("serial")), link, error))
        return false;
    if (tcp && !applyTcp(parser.value(QStringLiteral("tcp")), link, error))
        return false;
    return applyTimeouts(parser, link, error);
}

void LinkOptions::loadConfiguration(bool linkFromFile, CUnitLink& link,
                                    const ConfigFolders& folders, PromptService& prompts,
                                    Settings* settings)
{
    if (!linkFromFile && settings == nullptr)
        return;
    CConfiguration configuration(folders, prompts);
    LinkSettingsForwarder forwarder(link);
    IgnoredLinkSettings ignored;
    const Settings loaded =
        configuration.load(linkFromFile ? static_cast<LinkSettingsSink&>(forwarder) : ignored);
    if (settings != nullptr)
        *settings = loaded;
}

bool LinkOptions::applySerial(const QString& port, CUnitLink& link, QString& error)
{
    link.SetPortType(PORT_SERIAL);
    if (port.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int number = port.mid(3).toInt(&ok);
        if (ok && number > 0) {
            link.SetComPort(number);
            return true;
        }
    } else if (QFileInfo::exists(port)) {
        int number = ComPortDirectory::fixedNumberFor(QFileInfo(port).fileName());
        if (number == 0)
            number = PathPortNumber;
        link.ports().setAlias(number, QFileInfo(port).canonicalFilePath());
        link.SetComPort(number);
        return true;
    }
    error = QStringLiteral("No such serial port: %1").arg(port);
    return false;
}

bool LinkOptions::applyTcp(const QString& hostAndPort, CUnitLink& link, QString& error)
{
    QString host = hostAndPort;
    quint32 port = DefaultTcpPort;
    const qsizetype colon = hostAndPort.lastIndexOf(u':');
    if (colon > 0) {
        bool ok = false;
        port = hostAndPort.mid(colon + 1).toUInt(&ok);
        host = hostAndPort.left(colon);
        if (!ok || port == 0 || port > 65535) {
            error = QStringLiteral("Not a TCP port: %1").arg(hostAndPort.mid(colon + 1));
            return false;
        }
    }
    if (host.isEmpty()) {
        error = QStringLiteral("--tcp needs a host name or address.");
        return false;
    }
    link.SetPortType(PORT_TCP);
    link.SetHost(host, port);
    return true;
}

bool LinkOptions::applyTimeouts(const QCommandLineParser& parser, CUnitLink& link, QString& error)
{
    SerialTimeouts timeouts = link.GetSerialTimeouts();
    for (const auto& option : TimeoutOptions) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name))
            continue;
        bool ok = false;
        const uint value = parser.value(name).toUInt(&ok);
        if (!ok) {
            error = QStringLiteral("--%1 needs a number of milliseconds.").arg(name);
            return false;
        }
        timeouts.*option.field = value;
    }
    link.SetSerialTimeouts(timeouts);
    return true;
}
