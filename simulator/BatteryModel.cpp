#include "simulator/BatteryModel.h"

#include "simulator/DayProfile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Battery2SolarShare = 1.0 / 3.0;

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
    // Battery 2 is offered its share first; whatever it does not take goes to battery 1.
    double solarLeft = solar;
    double solarUsed = 0;
    for (const int index : {1, 0}) {
        Battery& battery = batteries_[index];
        const bool present = settings.battery[index].capacityAh > 0;
        const double load = present ? DayProfile::loadAmps(index + 1, day, secondOfDay) : 0.0;
        const double available = index == 1 ? solar * Battery2SolarShare : solarLeft;
        if (battery.step(load - available, seconds, settings.battery[index], settings))
            noteCharged(index, events);
        const double used = load - battery.amps();
        solarLeft -= used;
        solarUsed += used;
    }
    solarAmps_ = -std::max(0.0, solarUsed);
    solarAmpHours_ += solarAmps_ * seconds / 3600.0;
    const double timeConstant = settings.filterMinutes * 60.0;
    if (seconds > 0)
        filteredSolarAmps_ +=
            seconds / (timeConstant + seconds) * (solarAmps_ - filteredSolarAmps_);
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
