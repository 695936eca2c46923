#include "tests/support/SimulatorChild.h"

bool SimulatorChild::start(const QStringList& arguments)
{
    process_.start(QStringLiteral(ZELTRAVANIC_SIM),
                   QStringList{QStringLiteral("--serial"), QStringLiteral("--alias"),
                               QStringLiteral("COM%1").arg(ComNumber),
                               QStringLiteral("--ports-dir"), aliases_.path()} +
                       arguments);
    devicePath_ = readLine();
    return devicePath_.startsWith(QLatin1String("/dev/"));
}

bool SimulatorChild::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return true;
    process_.terminate();
    return process_.waitForFinished(5000) && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
}

QString SimulatorChild::readLine()
{
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}
