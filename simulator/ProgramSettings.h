#pragma once

#include <QtGlobal>

class RecordStore;

// The program parameters the unit's firmware acts on, decoded from their records.
struct ProgramSettings {
    struct Battery {
        int capacityAh = 0;      // P14/P15; 0 = no battery
        double lowVolts = 0;     // P26/P28
        int lowPercent = 0;      // 0 = not used
        double highVolts = 0;    // P27/P29
        double chargedVolts = 0; // P32/P33
        int chargedAmps = 0;     // 0 = not used
    };

    Battery battery[2];
    double filterMinutes = 0;      // P16
    double chargeEfficiency = 1.0; // P34, as a ratio
    double selfDischargeAmps = 0;  // P35
    int daysBetweenEqualise = 0;   // P36; 0 = no alarm
    int daysBetweenCharge = 0;     // P37; 0 = no alarm
    double relayOnVolts = 0;       // P30
    int relayOnPercent = 0;
    double relayOffVolts = 0; // P31
    int relayOffPercent = 0;
    int logIntervalMinutes = 0; // P39-42; 0 = an interval code the unit does not know
    int logAlignMinute = 0;     // minute of the day the recording is aligned to
    quint16 logItemFlags = 0;   // the periodic records' item flags
    int profileStepPercent = 5; // P43
    bool profileBattery[2] = {};

    static ProgramSettings from(const RecordStore& records);
    // Minutes between periodic records for an interval code; 0 for a code not in the list.
    static int intervalMinutes(quint8 code);
    // Tenths of a volt in the low 10 bits, as the parameter records keep voltages.
    static double parameterVolts(quint16 word);
    // A percent-or-off byte: 1..98 a percentage, anything else not used (0).
    static int percentOrOff(quint8 value);
};
