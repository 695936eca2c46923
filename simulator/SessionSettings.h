#pragma once

#include "simulator/UnitRequest.h"

#include <QString>
#include <functional>

// How the unit's side of a connection behaves, the same for every transport.
struct SessionSettings {
    // Every byte at the pace of a real 2400-baud line (10 bits a byte).
    bool paced = false;
    // Extra time before the unit starts a reply.
    int latencyMs = 0;
    // The network adapter's status byte in front of every reply.
    quint8 statusByte = 0x00;
    // The adapter's interface version times ten, the first byte of its greeting.
    quint8 interfaceVersion = 12;
    // Where the served requests are told (--verbose); none when empty.
    std::function<void(const QString&)> log;
    // Told every request the unit takes, before it answers; none when empty.
    std::function<void(const UnitRequest&)> taken;
};
