#include "simulator/SetpointMonitor.h"

#include "simulator/BatteryModel.h"

namespace {

constexpr quint8 LowBit = 0x01;
constexpr quint8 ChargedBit = 0x02;
constexpr quint8 HighBit = 0x04;
constexpr quint8 TimeToChargeBit = 0x08;
constexpr quint8 TimeToEqualiseBit = 0x10;
constexpr quint8 RelayBit = 0x80;
constexpr int ChargedCriteriaDecide = 100;

bool percentUsed(int percent)
{
    return percent >= 1 && percent <= 99;
}

} // namespace

void SetpointMonitor::update(const BatteryModel& model, const ProgramSettings& settings)
{
    updateRelay(model, settings);
    const quint8 first =
        static_cast<quint8>(batteryFlags(model, 0, settings) | (relayOn_ ? RelayBit : 0));
    status_ = static_cast<quint16>(first | batteryFlags(model, 1, settings) << 8);
}

quint8 SetpointMonitor::batteryFlags(const BatteryModel& model, int index,
                                     const ProgramSettings& settings) const
{
    const Battery& battery = model.battery(index);
    if (!battery.present())
        return 0;
    const ProgramSettings::Battery& setpoints = settings.battery[index];
    const double volts = battery.filteredVolts();
    quint8 flags = 0;
    if (volts < setpoints.lowVolts ||
        (setpoints.lowPercent > 0 && battery.percentFull() < setpoints.lowPercent))
        flags |= LowBit;
    if (battery.charged())
        flags |= ChargedBit;
    if (setpoints.highVolts > 0 && volts > setpoints.highVolts)
        flags |= HighBit;
    if (settings.daysBetweenCharge > 0 && battery.daysSinceCharged() > settings.daysBetweenCharge)
        flags |= TimeToChargeBit;
    if (settings.daysBetweenEqualise > 0 &&
        battery.daysSinceEqualised() > settings.daysBetweenEqualise)
        flags |= TimeToEqualiseBit;
    return flags;
}

void SetpointMonitor::updateRelay(const BatteryModel& model, const ProgramSettings& settings)
{
    const Battery& battery = model.battery(0);
    if (!battery.present()) {
        relayOn_ = false;
        return;
    }
    const double volts = battery.filteredVolts();
    const int percent = battery.percentFull();
    const bool normal = settings.relayOnVolts <= settings.relayOffVolts;
    bool turnOn = normal ? volts < settings.relayOnVolts : volts > settings.relayOnVolts;
    bool turnOff = normal ? volts > settings.relayOffVolts : volts < settings.relayOffVolts;
    if (percentUsed(settings.relayOnPercent))
        turnOn = turnOn ||
                 (normal ? percent < settings.relayOnPercent : percent > settings.relayOnPercent);
    if (percentUsed(settings.relayOffPercent))
        turnOff = turnOff || (normal ? percent > settings.relayOffPercent
                                     : percent < settings.relayOffPercent);
    if (settings.relayOffPercent == ChargedCriteriaDecide)
        turnOff = turnOff || battery.charged();
    if (!relayOn_ && turnOn)
        relayOn_ = true;
    else if (relayOn_ && turnOff)
        relayOn_ = false;
}
