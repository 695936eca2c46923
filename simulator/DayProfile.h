#pragma once

#include <QtGlobal>

// The weather and the loads of the simulated installation, as functions of the unit's time:
// sun from 6:00 to 18:00 with clear and cloudy days, a house load with morning and evening
// peaks on battery 1, a small pump load at midday on battery 2, and the air temperature.
// Everything follows from the time alone, so a run is the same each time.
class DayProfile {
public:
    static constexpr double PeakSolarAmps = 48.0;

    static double solarAmps(int day, int secondOfDay);
    static double loadAmps(int battery, int day, int secondOfDay);
    static double temperatureC(int day, int secondOfDay);

    // A fixed pseudo-random number in [0, 1) for a key.
    static double noise(quint32 key);
};
