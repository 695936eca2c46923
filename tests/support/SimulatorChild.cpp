#include "tests/support/SimulatorChild.h"

#include "tests/support/EventPump.h"

SimulatorChild::~SimulatorChild()
{
    stop();
}

bool SimulatorChild::start(const QStringList& arguments)
{
    process_.start(QStringLiteral(ZELTRAVANIC_SIM),
                   QStringList{QStringLiteral("--serial"), QStringLiteral("--alias"),
                               QStringLiteral("COM%1").arg(ComNumber),
                               QStringLiteral("--ports-dir"), aliases_.path()} +
                       arguments);
    if (!process_.waitForStarted(5000))
        return false;
    EventPump::waitUntil(
        [this] { return process_.canReadLine() || process_.state() == QProcess::NotRunning; });
    devicePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    return devicePath_.startsWith(QLatin1String("/dev/"));
}

bool SimulatorChild::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return true;
    process_.terminate();
    return process_.waitForFinished(5000) && process_.exitCode() == 0;
}

QString SimulatorChild::errors()
{
    return QString::fromLocal8Bit(process_.readAllStandardError());
}
