#pragma once

#include <QtGlobal>

// The packed number formats of the unit's logs.
class LogValueCodec {
public:
    // Periodic log: bits 0-9 magnitude, bits 12-14 scale code (1: ×0.01, 2: ×0.1, 3: ×1,
    // 4: ×10, 5: ×100, 6: ×1000, 7: ×10000), bit 15 sign. The unit takes the finest scale
    // under which the magnitude still fits in 10 bits.
    static quint16 periodicScaled(double value);
    // Discharge profile amps: bits 0-9 magnitude, bits 12-13 scale code (0: ×0.001, 1: ×0.01,
    // 2: ×0.1, 3: ×1), bit 15 sign.
    static quint16 dischargeAmps(double amps);
    // Volts in 0.05 V steps, 11 bits.
    static quint16 volts(double volts);
};
