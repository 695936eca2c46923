#include "programming/RelaySetpointsRecord.h"

#include "programming/ParameterCoding.h"
#include "programming/TypedNumber.h"

namespace RelaySetpointsRecord {

namespace {

constexpr int ON_OFFSET = 0;
constexpr int OFF_OFFSET = 3;

Setpoint setpointAt(QByteArrayView record, int offset)
{
    return {ParameterCoding::tenBitsAt(record, offset),
            ParameterCoding::byteAt(record, offset + 2)};
}

void putSetpoint(QByteArray& record, int offset, const Setpoint& setpoint)
{
    ParameterCoding::putWord(record, offset, static_cast<std::uint16_t>(setpoint.tenths));
    record[offset + 2] = static_cast<char>(setpoint.percent);
}

bool isPercent(int percent)
{
    return percent >= 1 && percent <= 99;
}

Column leftColumn(const Setpoint& setpoint)
{
    if (!isPercent(setpoint.percent))
        return {setpoint.tenths, PercentUse::NotUsed, 0};
    return {setpoint.tenths, PercentUse::Percent, setpoint.percent};
}

Column rightColumn(const Setpoint& setpoint, float firmwareVersion)
{
    if (setpoint.percent == CHARGE_CRITERIA_PERCENT &&
        ParameterCoding::hasNewFeatures(firmwareVersion))
        return {setpoint.tenths, PercentUse::ChargeCriteria, 0};
    return leftColumn(setpoint);
}

QString percentMessage(const ColumnEntry& column)
{
    if (column.use != PercentUse::Percent || isPercent(TypedNumber::toWhole(column.percent)))
        return {};
    return ParameterCoding::percentRangeText();
}

int percentToWrite(const ColumnEntry& column, bool rightColumn)
{
    if (column.use == PercentUse::Percent)
        return TypedNumber::toWhole(column.percent);
    if (column.use == PercentUse::ChargeCriteria && rightColumn)
        return CHARGE_CRITERIA_PERCENT;
    return 0;
}

Setpoint setpointOf(const ColumnEntry& column, bool rightColumn)
{
    return {ParameterCoding::typedTenths(column.volts), percentToWrite(column, rightColumn)};
}

} // namespace

Values decode(QByteArrayView record)
{
    return {setpointAt(record, ON_OFFSET), setpointAt(record, OFF_OFFSET)};
}

QByteArray encode(const Values& values)
{
    QByteArray record(LENGTH, '\0');
    putSetpoint(record, ON_OFFSET, values.on);
    putSetpoint(record, OFF_OFFSET, values.off);
    return record;
}

bool isReversed(const Values& values)
{
    return values.on.tenths > values.off.tenths;
}

View view(const Values& values, float firmwareVersion)
{
    View shown;
    shown.reversed = isReversed(values);
    const Setpoint& lower = shown.reversed ? values.off : values.on;
    const Setpoint& higher = shown.reversed ? values.on : values.off;
    shown.left = leftColumn(lower);
    shown.right = rightColumn(higher, firmwareVersion);
    return shown;
}

QString validate(const Entry& entry)
{
    for (const ColumnEntry* column : {&entry.left, &entry.right}) {
        const QString message = percentMessage(*column);
        if (!message.isEmpty())
            return message;
    }
    const double left = TypedNumber::toDecimal(entry.left.volts);
    const double right = TypedNumber::toDecimal(entry.right.volts);
    if (!(left < right))
        return QStringLiteral(
            "Less-than voltage (left) must be less than Greater-than voltage (right)");
    if (!ParameterCoding::isVoltageInRange(left) || !ParameterCoding::isVoltageInRange(right))
        return QStringLiteral("Relay Voltage must be between 10 - 100");
    return {};
}

Values toValues(const Entry& entry)
{
    const Setpoint left = setpointOf(entry.left, false);
    const Setpoint right = setpointOf(entry.right, true);
    return entry.reversed ? Values{right, left} : Values{left, right};
}

} // namespace RelaySetpointsRecord
