#include "simulator/UnitLogger.h"

#include "simulator/BatteryModel.h"
#include "simulator/LogMemory.h"
#include "simulator/RecordStore.h"
#include "simulator/SimulatedClock.h"

#include <algorithm>
#include <cmath>

UnitLogger::UnitLogger(LogMemory& memory)
    : periodic_(memory), efficiency1_(memory, 1), efficiency2_(memory, 2), discharge_(memory)
{}

void UnitLogger::clearAll()
{
    periodic_.clear();
    discharge_.clear();
    efficiency1_.clear();
    efficiency2_.clear();
}

void UnitLogger::track(const BatteryModel& model)
{
    const int temperature = static_cast<int>(std::lround(model.temperatureC()));
    temperatureMax_ = tracking_ ? std::max(temperatureMax_, temperature) : temperature;
    temperatureMin_ = tracking_ ? std::min(temperatureMin_, temperature) : temperature;
    tracking_ = true;
    for (int index = 0; index < 2; ++index)
        chargedSinceRecord_[index] = chargedSinceRecord_[index] || model.battery(index).charged();
}

void UnitLogger::noteMinute(const SimulatedClock& clock, const BatteryModel& model,
                            const ProgramSettings& settings)
{
    track(model);
    const int interval = settings.logIntervalMinutes;
    if (interval == 0)
        return;
    const int sinceAlignment = clock.minuteOfDay() - settings.logAlignMinute;
    if ((sinceAlignment % interval + interval) % interval != 0)
        return;
    writePeriodic(clock, model, settings.logItemFlags);
}

void UnitLogger::writePeriodic(const SimulatedClock& clock, const BatteryModel& model,
                               quint16 itemFlags)
{
    // The log holds the values as the program shows them: charge positive, discharge negative.
    const Battery& first = model.battery(0);
    const Battery& second = model.battery(1);
    PeriodicValues values;
    values.ampHours[0] = -first.ampHoursFromFull();
    values.ampHours[1] = -second.ampHoursFromFull();
    values.ampHours[2] = -model.solarAmpHours();
    values.wattHours[0] = -first.wattHours();
    values.wattHours[1] = -second.wattHours();
    values.temperatureMax = temperatureMax_;
    values.temperatureMin = temperatureMin_;
    values.volts1 = first.filteredVolts();
    values.amps1 = -first.filteredAmps();
    values.volts2 = second.filteredVolts();
    values.percentFull[0] = first.percentFull();
    values.percentFull[1] = second.percentFull();
    values.charged[0] = chargedSinceRecord_[0];
    values.charged[1] = chargedSinceRecord_[1];
    periodic_.append(clock.dayWord(), clock.minuteInBlock(), itemFlags, values);
    tracking_ = false;
    chargedSinceRecord_[0] = chargedSinceRecord_[1] = false;
}

void UnitLogger::noteEvents(const ModelEvents& events, const SimulatedClock& clock,
                            const BatteryModel& model, const ProgramSettings& settings)
{
    for (int index = 0; index < 2; ++index) {
        const Battery& battery = model.battery(index);
        if (events.charged[index]) {
            efficiency(index).append({clock.dayWord(), clock.minuteInBlock(),
                                      events.cycleComplete[index], battery.chargeCounter(),
                                      battery.dischargeCounter()});
        }
        if (events.profileStep[index] >= 0 && settings.profileBattery[index]) {
            discharge_.append({index + 1, events.profileStep[index], clock.day() % 31 + 1,
                               battery.filteredVolts(), -battery.filteredAmps()});
        }
    }
}

void UnitLogger::publish(RecordStore& records) const
{
    records.setWord(0xD2, 0, periodic_.recordsWritten());
    records.setWord(0xD2, 2, periodic_.newestPointer());
    records.setWord(0xD1, 1, discharge_.pointerWord());
}

void UnitLogger::restore(const QByteArray& periodicRecord, const QByteArray& dischargeRecord)
{
    const auto word = [](const QByteArray& bytes, int index) {
        return static_cast<quint16>(static_cast<quint8>(bytes.at(index)) |
                                    static_cast<quint8>(bytes.at(index + 1)) << 8);
    };
    periodic_.restore(word(periodicRecord, 2), word(periodicRecord, 0));
    discharge_.restore(word(dischargeRecord, 1));
}
