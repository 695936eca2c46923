#include "simulator/LivePublisher.h"

#include "simulator/BatteryModel.h"
#include "simulator/RecordStore.h"
#include "simulator/SetpointMonitor.h"

#include <algorithm>
#include <cmath>

namespace {

void putSigned(RecordStore& records, quint8 address, double value, int size)
{
    const double limit = std::ldexp(1.0, 8 * size - 1) - 1;
    const auto whole = static_cast<qint64>(std::llround(std::clamp(value, -limit, limit)));
    for (int i = 0; i < size; ++i)
        records.setByte(address, i, static_cast<quint8>(whole >> (8 * i)));
}

void putUnsigned16(RecordStore& records, quint8 address, double value)
{
    records.setWord(address, 0, static_cast<quint16>(std::clamp(std::lround(value), 0L, 0xFFFFL)));
}

void putVolts(RecordStore& records, quint8 address, double volts)
{
    records.setWord(
        address, 0,
        static_cast<quint16>(std::min(std::lround(std::max(volts, 0.0) / 0.05), 0x7FFL)));
}

void publishBattery(const Battery& battery, int index, RecordStore& records)
{
    const auto at = [index](quint8 first, quint8 second) { return index == 0 ? first : second; };
    putVolts(records, at(0x01, 0x02), battery.volts());
    putVolts(records, at(0x03, 0x04), battery.filteredVolts());
    putSigned(records, at(0x05, 0x06), battery.amps() * 100.0, 3);
    putSigned(records, at(0x08, 0x09), battery.filteredAmps() * 100.0, 3);
    putSigned(records, at(0x0C, 0x0D), battery.ampHoursFromFull() * 100.0, 3);
    putSigned(records, at(0x12, 0x13), std::floor(battery.cumulativeAmpHours()), 3);
    putSigned(records, at(0x15, 0x16), battery.wattHours() * 100.0, 4);
    putSigned(records, at(0x17, 0x18), battery.volts() * battery.amps() * 100.0, 3);
    records.setByte(at(0x1A, 0x1B), 0, static_cast<quint8>(battery.percentFull()));
    putUnsigned16(records, at(0x1C, 0x1D), battery.daysSinceCharged() * 100.0);
    putUnsigned16(records, at(0x1E, 0x1F), battery.daysSinceEqualised() * 100.0);
}

} // namespace

void LivePublisher::publish(const BatteryModel& model, const SetpointMonitor& monitor,
                            RecordStore& records)
{
    publishBattery(model.battery(0), 0, records);
    publishBattery(model.battery(1), 1, records);
    putSigned(records, 0x07, model.solarAmps() * 100.0, 3);
    putSigned(records, 0x0A, model.filteredSolarAmps() * 100.0, 3);
    putSigned(records, 0x0F, model.solarAmpHours() * 100.0 * 128.0, 4);
    putSigned(records, 0x19, model.temperatureC(), 1);
    records.setWord(0x25, 0, monitor.statusWord());
    records.set(0xDA, model.cycles(0).figures());
    records.set(0xD7, model.cycles(1).figures());
}
