#pragma once

#include "simulator/FaultPlan.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/TcpEndpoint.h"

#include <QString>
#include <QStringList>

// The unit simulator's unit behind its network adapter, in this process, with a clock that
// stands still: no real time passes for it, so what it answers is fixed.
class StillUnit {
public:
    explicit StillUnit(int day = 0, int minuteOfDay = 0);

    // The adapter's address for --tcp.
    QString address() const;
    // The subcommand's arguments with --tcp to this unit.
    QStringList withTcp(QStringList arguments) const;

    SimulatedUnit unit;
    FaultPlan faults;
    TcpEndpoint adapter{unit, faults, SessionSettings{}};
};
