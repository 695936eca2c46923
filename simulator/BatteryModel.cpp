#include "simulator/BatteryModel.h"

#include "simulator/DayProfile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Battery1SolarShare = 2.0 / 3.0;

} // namespace

BatteryModel::BatteryModel() : batteries_{Battery(0.75), Battery(0.85)} {}

ModelEvents BatteryModel::step(double seconds, int day, int secondOfDay,
                               const ProgramSettings& settings)
{
    ModelEvents events;
    temperatureC_ = DayProfile::temperatureC(day, secondOfDay);
    stepBatteries(seconds, day, secondOfDay, settings, events);
    for (int index = 0; index < 2; ++index)
        noteProfile(index, settings, events);
    return events;
}

void BatteryModel::stepBatteries(double seconds, int day, int secondOfDay,
                                 const ProgramSettings& settings, ModelEvents& events)
{
    const double solar = DayProfile::solarAmps(day, secondOfDay);
    const bool secondPresent = settings.battery[1].capacityAh > 0;
    const double share[2] = {secondPresent ? Battery1SolarShare : 1.0,
                             secondPresent ? 1.0 - Battery1SolarShare : 0.0};
    double solarUsed = 0;
    for (int index = 0; index < 2; ++index) {
        Battery& battery = batteries_[index];
        const double load = settings.battery[index].capacityAh > 0
                                ? DayProfile::loadAmps(index + 1, day, secondOfDay)
                                : 0.0;
        // The charger gives a battery no more than its load and what it accepts.
        const double offered = load - solar * share[index];
        if (battery.step(offered, seconds, settings.battery[index], settings))
            noteCharged(index, events);
        solarUsed += load - battery.amps();
    }
    solarAmps_ = -std::max(0.0, solarUsed);
    solarAmpHours_ += solarAmps_ * seconds / 3600.0;
    const double timeConstant = settings.filterMinutes * 60.0;
    filteredSolarAmps_ +=
        seconds / (timeConstant + seconds + 1e-9) * (solarAmps_ - filteredSolarAmps_);
}

void BatteryModel::noteCharged(int index, ModelEvents& events)
{
    Battery& battery = batteries_[index];
    events.charged[index] = true;
    events.cycleComplete[index] = cycleOpen_[index];
    if (cycleOpen_[index]) {
        cycles_[index].add({battery.cycleChargeAmpHours(), battery.cycleDischargeAmpHours(),
                            battery.cycleHours()});
    }
    battery.startCycle();
    cycleOpen_[index] = true;
}

void BatteryModel::noteProfile(int index, const ProgramSettings& settings, ModelEvents& events)
{
    const Battery& battery = batteries_[index];
    const int step = settings.profileStepPercent;
    const int level = battery.percentFull() / step * step;
    const int previous = std::exchange(profileLevel_[index], level);
    if (previous < 0 || level >= previous || !battery.present() || battery.amps() <= 0)
        return;
    events.profileStep[index] = level;
}
