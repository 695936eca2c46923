#include "link/ComPortDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <map>

namespace {

int numberAfterPrefix(const QString& name, QStringView prefix)
{
    if (!name.startsWith(prefix, Qt::CaseInsensitive))
        return -1;
    bool ok = false;
    const int value = QStringView(name).mid(prefix.size()).toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

QString platformDeviceFor(int number)
{
#ifdef Q_OS_WIN
    return ComPortDirectory::nameOf(number);
#else
    if (number >= 1 && number < ComPortDirectory::UsbBase)
        return QStringLiteral("/dev/ttyS%1").arg(number - 1);
    if (number >= ComPortDirectory::UsbBase && number < ComPortDirectory::AcmBase)
        return QStringLiteral("/dev/ttyUSB%1").arg(number - ComPortDirectory::UsbBase);
    if (number >= ComPortDirectory::AcmBase && number < ComPortDirectory::OtherBase)
        return QStringLiteral("/dev/ttyACM%1").arg(number - ComPortDirectory::AcmBase);
    return {};
#endif
}

} // namespace

ComPortDirectory::ComPortDirectory(QString aliasFolder) : aliasFolder_(std::move(aliasFolder)) {}

QString ComPortDirectory::nameOf(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

int ComPortDirectory::fixedNumberFor(const QString& portName)
{
    if (const int n = numberAfterPrefix(portName, u"COM"); n >= 1)
        return n;
    if (const int n = numberAfterPrefix(portName, u"ttyUSB"); n >= 0 && n < AcmBase - UsbBase)
        return UsbBase + n;
    if (const int n = numberAfterPrefix(portName, u"ttyACM"); n >= 0 && n < OtherBase - AcmBase)
        return AcmBase + n;
    if (const int n = numberAfterPrefix(portName, u"ttyS"); n >= 0 && n < UsbBase - 1)
        return n + 1;
    return 0;
}

void ComPortDirectory::setAlias(int number, const QString& device)
{
    memoryAliases_.append(ComPort{number, device});
}

QList<ComPort> ComPortDirectory::aliases() const
{
    QList<ComPort> found;
    if (aliasFolder_.isEmpty())
        return found + memoryAliases_;
    static const QRegularExpression aliasName(QStringLiteral("^COM([0-9]+)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList entries =
        QDir(aliasFolder_).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const auto match = aliasName.match(entry.fileName());
        const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
        // A dangling link (the simulator has gone) is no port.
        if (number >= 1 && number <= MaxAlias && entry.exists())
            found.append(ComPort{number, entry.canonicalFilePath()});
    }
    return found + memoryAliases_;
}

QList<ComPort> ComPortDirectory::platformPorts() const
{
    QList<ComPort> found;
    QStringList unnumbered;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        if (const int number = fixedNumberFor(info.portName()))
            found.append(ComPort{number, info.systemLocation()});
        else
            unnumbered.append(info.systemLocation());
    }
    unnumbered.sort();
    for (qsizetype i = 0; i < unnumbered.size(); ++i)
        found.append(ComPort{OtherBase + static_cast<int>(i), unnumbered[i]});
    return found;
}

QList<ComPort> ComPortDirectory::list() const
{
    std::map<int, QString> byNumber;
    for (const ComPort& port : platformPorts())
        byNumber[port.number] = port.device;
    for (const ComPort& port : aliases())
        byNumber[port.number] = port.device;
    QList<ComPort> ports;
    for (const auto& [number, device] : byNumber)
        ports.append(ComPort{number, device});
    return ports;
}

QString ComPortDirectory::deviceFor(int number) const
{
    const QList<ComPort> aliased = aliases();
    // The last alias of a number wins, as in list().
    const auto alias = std::find_if(aliased.rbegin(), aliased.rend(),
                                    [number](const ComPort& p) { return p.number == number; });
    if (alias != aliased.rend())
        return alias->device;
    if (number >= OtherBase) {
        for (const ComPort& port : platformPorts())
            if (port.number == number)
                return port.device;
        return {};
    }
    return platformDeviceFor(number);
}
