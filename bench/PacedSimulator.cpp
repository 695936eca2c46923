#include "bench/PacedSimulator.h"

#include "link/CUnitLink.h"

PacedSimulator::~PacedSimulator()
{
    process_.terminate();
    process_.waitForFinished(5000);
}

bool PacedSimulator::start(const QString& imagePath, const QStringList& extra)
{
    process_.start(QStringLiteral(ZELTRAVANIC_SIM),
                   QStringList{QStringLiteral("--serial"), QStringLiteral("--pace"),
                               QStringLiteral("--alias"), QStringLiteral("COM%1").arg(comNumber_),
                               QStringLiteral("--ports-dir"), aliases_.path(),
                               QStringLiteral("--image"), imagePath} +
                       extra);
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(10000))
        return false;
    return process_.readLine().startsWith("/dev/");
}

void PacedSimulator::attach(CUnitLink& link) const
{
    link.SetPortType(PORT_SERIAL);
    link.SetComPort(comNumber_);
}
