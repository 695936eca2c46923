#pragma once

#include <QtGlobal>
#include <cstdint>

// One charge cycle of a battery's efficiency log, with the figures derived from the cycle
// before it and the averages over the last N valid cycles.
struct CEffData {
    std::uint16_t present = 0;
    qint64 time = 0; // calendar seconds, end of the cycle
    int valid = 0;   // 0 or 1
    std::uint32_t counterB = 0;
    std::uint32_t counterA = 0;
    float cycleHours = 0.0f;
    float dischargeAmpHours = 0.0f; // negative
    float chargeAmpHours = 0.0f;
    float netAmpHours = 0.0f;
    float selfDischarge = 0.0f;    // net amp-hours per cycle hour
    float chargeEfficiency = 0.0f; // a ratio, not percent
    float averageChargeEfficiency = 0.0f;
    float averageSelfDischarge = 0.0f;
};
