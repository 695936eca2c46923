#include "simulator/DayProfile.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int Sunrise = 6 * 3600;
constexpr int DayLength = 12 * 3600;

bool between(int second, double fromHour, double toHour)
{
    return second >= fromHour * 3600 && second < toHour * 3600;
}

} // namespace

double DayProfile::noise(quint32 key)
{
    // A small integer hash (lowbias32): well spread, and the same on every platform.
    key ^= key >> 16;
    key *= 0x7FEB352DU;
    key ^= key >> 15;
    key *= 0x846CA68BU;
    key ^= key >> 16;
    return key / 4294967296.0;
}

double DayProfile::solarAmps(int day, int secondOfDay)
{
    if (secondOfDay < Sunrise || secondOfDay >= Sunrise + DayLength)
        return 0.0;
    const double sunHeight = std::sin(std::numbers::pi * (secondOfDay - Sunrise) / DayLength);
    const double dayClearness = 0.45 + 0.55 * noise(static_cast<quint32>(day) * 7919U);
    const quint32 slot = static_cast<quint32>(day) * 288U + static_cast<quint32>(secondOfDay / 300);
    const double passingClouds = 0.75 + 0.25 * noise(slot ^ 0xA5A5A5A5U);
    return PeakSolarAmps * sunHeight * dayClearness * passingClouds;
}

double DayProfile::loadAmps(int battery, int day, int secondOfDay)
{
    const quint32 rippleKey =
        static_cast<quint32>(day) * 86400U + static_cast<quint32>(secondOfDay / 7);
    const double ripple = noise(rippleKey + static_cast<quint32>(battery) * 0x9E3779B9U);
    if (battery == 1) {
        double amps = 3.0 + 0.6 * ripple;
        if (between(secondOfDay, 6.5, 8.0))
            amps += 4.0;
        if (between(secondOfDay, 18.0, 23.0))
            amps += 6.0;
        return amps;
    }
    double amps = 1.2 + 0.3 * ripple;
    if (between(secondOfDay, 11.0, 13.0))
        amps += 3.0;
    return amps;
}

double DayProfile::temperatureC(int day, int secondOfDay)
{
    const double phase = 2.0 * std::numbers::pi * (secondOfDay - 9 * 3600) / 86400.0;
    return 18.0 + 7.0 * std::sin(phase) + 6.0 * (noise(static_cast<quint32>(day) + 17U) - 0.5);
}
