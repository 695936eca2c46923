#pragma once

#include "simulator/ProgramSettings.h"

#include <QtGlobal>

class BatteryModel;

// Holds the status flags against the programmed setpoints: per battery low, charged, high,
// time to charge, time to equalise; and the relay, which follows battery 1 with the on and off
// setpoints of P30-31 (on at low charge when the on voltage is the lower one, else reversed).
class SetpointMonitor {
public:
    void update(const BatteryModel& model, const ProgramSettings& settings);

    // The two bytes of record 0x25.
    quint16 statusWord() const { return status_; }

private:
    quint8 batteryFlags(const BatteryModel& model, int index,
                        const ProgramSettings& settings) const;
    void updateRelay(const BatteryModel& model, const ProgramSettings& settings);

    bool relayOn_ = false;
    quint16 status_ = 0;
};
