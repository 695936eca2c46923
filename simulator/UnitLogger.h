#pragma once

#include "simulator/DischargeLogWriter.h"
#include "simulator/EfficiencyLogWriter.h"
#include "simulator/PeriodicLogWriter.h"

#include <QByteArray>

class BatteryModel;
class LogMemory;
class RecordStore;
class SimulatedClock;
struct ModelEvents;
struct ProgramSettings;

// Decides what the unit logs and when: a periodic record at every programmed interval
// (aligned to the programmed time of day) with the temperature extremes and charged marks of
// the interval, an efficiency record per battery whenever it reaches its charged criteria,
// and a discharge-profile entry whenever a battery chosen in P43 passes a percent step while
// discharging.
class UnitLogger {
public:
    explicit UnitLogger(LogMemory& memory);

    void clearAll();
    void clearPeriodic() { periodic_.clear(); }
    void clearDischargeProfile() { discharge_.clear(); }
    void clearEfficiency(int index) { efficiency(index).clear(); }

    // At the start of every minute of the unit clock.
    void noteMinute(const SimulatedClock& clock, const BatteryModel& model,
                    const ProgramSettings& settings);
    // After every step of the model.
    void noteEvents(const ModelEvents& events, const SimulatedClock& clock,
                    const BatteryModel& model, const ProgramSettings& settings);

    // Records 0xD2 (periodic pointer) and the discharge-profile pointer behind P43.
    void publish(RecordStore& records) const;
    // Takes over the logs of an image: its 0xD2 and 0xD1 records as the unit served them.
    void restore(const QByteArray& periodicRecord, const QByteArray& dischargeRecord);

    const PeriodicLogWriter& periodic() const { return periodic_; }
    const DischargeLogWriter& dischargeProfile() const { return discharge_; }
    EfficiencyLogWriter& efficiency(int index) { return index == 0 ? efficiency1_ : efficiency2_; }

private:
    void track(const BatteryModel& model);
    void writePeriodic(const SimulatedClock& clock, const BatteryModel& model, quint16 itemFlags);

    PeriodicLogWriter periodic_;
    EfficiencyLogWriter efficiency1_;
    EfficiencyLogWriter efficiency2_;
    DischargeLogWriter discharge_;
    bool tracking_ = false;
    int temperatureMax_ = 0;
    int temperatureMin_ = 0;
    bool chargedSinceRecord_[2] = {};
};
