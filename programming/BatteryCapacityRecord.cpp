#include "programming/BatteryCapacityRecord.h"

#include "programming/ParameterCoding.h"
#include "programming/TypedNumber.h"

namespace BatteryCapacityRecord {

int decode(QByteArrayView record)
{
    return ParameterCoding::wordAt(record, 0);
}

QByteArray encode(int ampHours)
{
    QByteArray record(LENGTH, '\0');
    ParameterCoding::putWord(record, 0, static_cast<std::uint16_t>(ampHours));
    return record;
}

QString noBatteryText()
{
    return QStringLiteral("No Battery");
}

QString validate(const Entry& entry)
{
    if (entry.noBattery)
        return {};
    const int ampHours = TypedNumber::toWhole(entry.ampHours);
    if (ampHours < 0 || ampHours > 9999)
        return QStringLiteral("Amp Hrs must be between 0 - 9999");
    return {};
}

int ampHoursToWrite(const Entry& entry)
{
    return entry.noBattery ? 0 : TypedNumber::toWhole(entry.ampHours);
}

bool isPresent(const Entry& entry)
{
    return !entry.noBattery;
}

} // namespace BatteryCapacityRecord
