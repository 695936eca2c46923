#include "simulator/ProgramSettings.h"

#include "simulator/RecordStore.h"

#include <algorithm>

namespace {

ProgramSettings::Battery batteryFrom(const RecordStore& records, quint8 capacity, quint8 low,
                                     quint8 high, quint8 charged)
{
    ProgramSettings::Battery battery;
    battery.capacityAh = records.word(capacity, 0);
    battery.lowVolts = ProgramSettings::parameterVolts(records.word(low, 0));
    battery.lowPercent = ProgramSettings::percentOrOff(records.byte(low, 2));
    battery.highVolts = ProgramSettings::parameterVolts(records.word(high, 0));
    battery.chargedVolts = ProgramSettings::parameterVolts(records.word(charged, 0));
    battery.chargedAmps = ProgramSettings::percentOrOff(records.byte(charged, 2));
    return battery;
}

} // namespace

int ProgramSettings::intervalMinutes(quint8 code)
{
    switch (code) {
    case 0xFF:
        return 1;
    case 0xEF:
        return 2;
    case 0xBF:
        return 3;
    case 0x7F:
        return 5;
    case 0x6F:
        return 10;
    case 0x3F:
        return 15;
    case 0x2F:
        return 30;
    case 0x27:
        return 60;
    case 0x23:
        return 120;
    case 0x21:
        return 240;
    case 0x03:
        return 360;
    case 0x20:
        return 480;
    case 0x01:
        return 720;
    case 0x00:
        return 1440;
    default:
        return 0;
    }
}

double ProgramSettings::parameterVolts(quint16 word)
{
    return (word & 0x3FF) * 0.1;
}

int ProgramSettings::percentOrOff(quint8 value)
{
    return value >= 1 && value <= 98 ? value : 0;
}

ProgramSettings ProgramSettings::from(const RecordStore& records)
{
    static constexpr double filterMinutesByCode[] = {0.0, 0.5, 2.0, 8.0};
    ProgramSettings settings;
    settings.battery[0] = batteryFrom(records, 0xF2, 0xEC, 0xEA, 0xE8);
    settings.battery[1] = batteryFrom(records, 0xF1, 0xEB, 0xE9, 0xE7);
    settings.filterMinutes = filterMinutesByCode[records.byte(0xF3, 0) & 3];
    settings.chargeEfficiency = std::clamp<int>(records.byte(0xE5, 0), 1, 100) / 100.0;
    settings.selfDischargeAmps = (records.word(0xE5, 1) & 0x3FF) * 0.01;
    settings.daysBetweenEqualise = records.byte(0xE3, 0);
    settings.daysBetweenCharge = records.byte(0xE2, 0);
    settings.relayOnVolts = parameterVolts(records.word(0xD4, 0));
    settings.relayOnPercent = records.byte(0xD4, 2);
    settings.relayOffVolts = parameterVolts(records.word(0xD4, 3));
    settings.relayOffPercent = records.byte(0xD4, 5);
    settings.logIntervalMinutes = intervalMinutes(records.byte(0xD0, 0));
    settings.logAlignMinute =
        (records.byte(0xD0, 1) & 7) * 180 + std::min<int>(records.byte(0xD0, 3), 179);
    settings.logItemFlags =
        static_cast<quint16>(records.byte(0xD0, 10) | (records.byte(0xD0, 11) & 0x03) << 8);
    const quint8 profile = records.byte(0xD1, 0);
    settings.profileStepPercent = (profile & 0x80) != 0 ? 5 : 10;
    settings.profileBattery[0] = (profile & 0x20) != 0;
    settings.profileBattery[1] = (profile & 0x40) != 0;
    return settings;
}
