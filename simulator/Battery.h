#pragma once

#include "simulator/ProgramSettings.h"

#include <QtGlobal>

// One battery and the unit's counters for it. Currents carry the unit's sign: positive while
// the battery discharges, negative while it is charged.
class Battery {
public:
    explicit Battery(double stateOfCharge);

    // Runs the battery for seconds with offeredAmps asked of it (negative: charge on offer);
    // the battery takes less charge the fuller it is. Returns true when the battery has just
    // met its charged criteria.
    bool step(double offeredAmps, double seconds, const ProgramSettings::Battery& battery,
              const ProgramSettings& common);

    bool present() const { return capacityAh_ > 0; }
    double amps() const { return amps_; }
    double volts() const { return volts_; }
    double filteredAmps() const { return filteredAmps_; }
    double filteredVolts() const { return filteredVolts_; }
    double ampHoursFromFull() const { return ampHoursFromFull_; }
    int percentFull() const;
    bool charged() const { return charged_; }
    double cumulativeAmpHours() const { return cumulativeAmpHours_; }
    double wattHours() const { return wattHours_; }
    double daysSinceCharged() const { return secondsSinceCharged_ / 86400.0; }
    double daysSinceEqualised() const { return secondsSinceEqualised_ / 86400.0; }
    // The charge and discharge counters of the efficiency log, 0.01 Ah, 24 bits.
    quint32 chargeCounter() const;
    quint32 dischargeCounter() const;
    // Amp-hours charged and discharged since the battery was last charged.
    double cycleChargeAmpHours() const { return cycleCharge_; }
    double cycleDischargeAmpHours() const { return cycleDischarge_; }
    double cycleHours() const { return cycleSeconds_ / 3600.0; }
    // Starts counting the next cycle (after the cycle that just ended has been logged).
    void startCycle();

    // The largest current the battery takes at its state of charge.
    double acceptanceAmps() const;

    void resetAmpHoursFromFull() { ampHoursFromFull_ = 0; }
    void resetCumulativeAmpHours() { cumulativeAmpHours_ = 0; }
    void resetWattHours() { wattHours_ = 0; }
    void resetDaysSinceCharged() { secondsSinceCharged_ = 0; }
    void resetDaysSinceEqualised() { secondsSinceEqualised_ = 0; }

private:
    double stateOfCharge() const;
    double terminalVolts() const;
    void count(double seconds, const ProgramSettings& common);
    void filter(double seconds, double filterMinutes);
    bool checkCharged(const ProgramSettings::Battery& battery);

    double capacityAh_ = 0;
    double ampHoursFromFull_;
    double initialStateOfCharge_;
    double amps_ = 0;
    double volts_ = 0;
    double filteredAmps_ = 0;
    double filteredVolts_ = 0;
    bool filterPrimed_ = false;
    bool charged_ = false;
    double cumulativeAmpHours_ = 0;
    double wattHours_ = 0;
    double secondsSinceCharged_ = 0;
    double secondsSinceEqualised_ = 0;
    double chargeCentiAh_ = 0;    // counts down, kept in full and cut to 24 bits when shown
    double dischargeCentiAh_ = 0; // counts up
    double cycleCharge_ = 0;
    double cycleDischarge_ = 0;
    double cycleSeconds_ = 0;
};
