#pragma once

#include "simulator/Battery.h"
#include "simulator/CycleHistory.h"
#include "simulator/ProgramSettings.h"

#include <array>

// What happened during one step of the model that the unit logs.
struct ModelEvents {
    bool charged[2] = {};          // the battery met its charged criteria
    bool cycleComplete[2] = {};    // ...and it had been charged before, so a whole cycle ended
    int profileStep[2] = {-1, -1}; // percent-full step passed while discharging, or -1
};

// The installation the unit watches: two batteries, a solar charger on current channel 3
// offering a third of its current to battery 2 and the rest to battery 1, the loads of the
// day profile, and the temperature. Channel 1 measures battery 1, channel 2 battery 2.
class BatteryModel {
public:
    BatteryModel();

    ModelEvents step(double seconds, int day, int secondOfDay, const ProgramSettings& settings);

    Battery& battery(int index) { return batteries_[index]; }
    const Battery& battery(int index) const { return batteries_[index]; }
    CycleHistory& cycles(int index) { return cycles_[index]; }
    const CycleHistory& cycles(int index) const { return cycles_[index]; }

    // Channel 3, with the unit's sign (negative: current into the batteries).
    double solarAmps() const { return solarAmps_; }
    double filteredSolarAmps() const { return filteredSolarAmps_; }
    double solarAmpHours() const { return solarAmpHours_; }
    double temperatureC() const { return temperatureC_; }

    void resetSolarAmpHours() { solarAmpHours_ = 0; }
    // The cycle under way no longer counts (its log was cleared or the unit reset).
    void breakCycle(int index) { cycleOpen_[index] = false; }

private:
    void stepBatteries(double seconds, int day, int secondOfDay, const ProgramSettings& settings,
                       ModelEvents& events);
    void noteCharged(int index, ModelEvents& events);
    void noteProfile(int index, const ProgramSettings& settings, ModelEvents& events);

    std::array<Battery, 2> batteries_;
    std::array<CycleHistory, 2> cycles_;
    std::array<bool, 2> cycleOpen_{};
    std::array<int, 2> profileLevel_{-1, -1};
    double solarAmps_ = 0;
    double filteredSolarAmps_ = 0;
    double solarAmpHours_ = 0;
    double temperatureC_ = 20;
};
