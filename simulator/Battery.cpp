#include "simulator/Battery.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double ChargedReleaseFraction = 0.02; // discharged this far, the battery is no
                                                // longer reported as charged
quint32 counter24(double centiAmpHours)
{
    const auto whole = static_cast<qint64>(std::floor(centiAmpHours));
    return static_cast<quint32>(whole & 0xFFFFFF);
}

} // namespace

Battery::Battery(double stateOfCharge)
    : ampHoursFromFull_(0), initialStateOfCharge_(std::clamp(stateOfCharge, 0.0, 1.0))
{}

int Battery::percentFull() const
{
    return present() ? static_cast<int>(std::lround(stateOfCharge() * 100.0)) : 0;
}

double Battery::stateOfCharge() const
{
    return present() ? std::clamp(1.0 - ampHoursFromFull_ / capacityAh_, 0.0, 1.0) : 0.0;
}

double Battery::acceptanceAmps() const
{
    // Bulk charge up to a quarter of the capacity, tapering over the last 15 %.
    const double taper = std::clamp((1.0 - stateOfCharge()) / 0.15, 0.02, 1.0);
    return capacityAh_ * 0.25 * taper;
}

quint32 Battery::chargeCounter() const
{
    return counter24(chargeCentiAh_);
}

quint32 Battery::dischargeCounter() const
{
    return counter24(dischargeCentiAh_);
}

double Battery::terminalVolts() const
{
    const double soc = stateOfCharge();
    const double rate = std::fabs(amps_) / capacityAh_;
    if (amps_ < 0) {
        const double absorption = 1.6 * std::clamp((soc - 0.85) / 0.15, 0.0, 1.0);
        return std::min(12.0 + soc + 4.0 * rate + absorption, 14.8);
    }
    return 11.75 + 1.05 * soc - 2.0 * rate;
}

bool Battery::step(double offeredAmps, double seconds, const ProgramSettings::Battery& battery,
                   const ProgramSettings& common)
{
    if (battery.capacityAh != capacityAh_) {
        // A new capacity (or a battery put in) starts from the state of charge it had.
        const double soc = capacityAh_ > 0 ? stateOfCharge() : initialStateOfCharge_;
        capacityAh_ = battery.capacityAh;
        ampHoursFromFull_ = (1.0 - soc) * capacityAh_;
    }
    if (!present()) {
        amps_ = volts_ = filteredAmps_ = filteredVolts_ = 0;
        charged_ = false;
        return false;
    }
    amps_ = std::max(offeredAmps, -acceptanceAmps());
    count(seconds, common);
    volts_ = terminalVolts();
    filter(seconds, common.filterMinutes);
    return checkCharged(battery);
}

void Battery::count(double seconds, const ProgramSettings& common)
{
    const double ampHours = amps_ * seconds / 3600.0;
    if (ampHours > 0) {
        ampHoursFromFull_ += ampHours;
        dischargeCentiAh_ += ampHours * 100.0;
        cumulativeAmpHours_ += ampHours;
        cycleDischarge_ += ampHours;
    } else {
        ampHoursFromFull_ += ampHours * common.chargeEfficiency;
        chargeCentiAh_ += ampHours * 100.0;
        cycleCharge_ -= ampHours;
    }
    ampHoursFromFull_ += common.selfDischargeAmps * seconds / 3600.0;
    ampHoursFromFull_ = std::clamp(ampHoursFromFull_, 0.0, capacityAh_);
    wattHours_ += volts_ * ampHours;
    secondsSinceCharged_ += seconds;
    secondsSinceEqualised_ += seconds;
    cycleSeconds_ += seconds;
}

void Battery::filter(double seconds, double filterMinutes)
{
    const double timeConstant = filterMinutes * 60.0;
    const double weight = filterPrimed_ ? seconds / (timeConstant + seconds) : 1.0;
    filteredAmps_ += weight * (amps_ - filteredAmps_);
    filteredVolts_ += weight * (volts_ - filteredVolts_);
    filterPrimed_ = true;
}

bool Battery::checkCharged(const ProgramSettings::Battery& battery)
{
    if (charged_) {
        charged_ = ampHoursFromFull_ <= ChargedReleaseFraction * capacityAh_;
        return false;
    }
    const bool voltsMet = battery.chargedVolts > 0 && filteredVolts_ >= battery.chargedVolts;
    const bool ampsMet =
        filteredAmps_ <= 0 && (battery.chargedAmps == 0 || -filteredAmps_ < battery.chargedAmps);
    if (!voltsMet || !ampsMet)
        return false;
    // The unit takes the charged criteria as "full": its amp-hours from full start again.
    charged_ = true;
    ampHoursFromFull_ = 0;
    secondsSinceCharged_ = 0;
    return true;
}

void Battery::startCycle()
{
    cycleCharge_ = cycleDischarge_ = cycleSeconds_ = 0;
}
