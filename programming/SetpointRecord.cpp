#include "programming/SetpointRecord.h"

#include "programming/ParameterCoding.h"
#include "programming/TypedNumber.h"

namespace SetpointRecord {

namespace {

constexpr int NOT_USED = 0;
constexpr int FIRST_UNUSED_HIGH = 99;

QString voltageMessage(const QString& volts)
{
    if (ParameterCoding::isVoltageInRange(TypedNumber::toDecimal(volts)))
        return {};
    return QStringLiteral("Voltage must be between 10 - 100");
}

QString criterionThenVoltage(const Entry& entry, const QString& criterionMessage)
{
    if (!entry.criterionUnused) {
        const int criterion = TypedNumber::toWhole(entry.criterion);
        if (criterion < 1 || criterion > 99)
            return criterionMessage;
    }
    return voltageMessage(entry.volts);
}

} // namespace

Values decode(QByteArrayView record)
{
    Values values;
    values.tenths = ParameterCoding::tenBitsAt(record, 0);
    const int criterion = ParameterCoding::byteAt(record, 2);
    if (criterion != NOT_USED && criterion < FIRST_UNUSED_HIGH)
        values.criterion = criterion;
    return values;
}

QByteArray encode(const Values& values)
{
    QByteArray record(LENGTH, '\0');
    ParameterCoding::putWord(record, 0, static_cast<std::uint16_t>(values.tenths));
    record[2] = static_cast<char>(values.criterion.value_or(NOT_USED));
    return record;
}

QByteArray encodeHighAlarm(int tenths, QByteArrayView recordRead)
{
    QByteArray record = ParameterCoding::fitted(recordRead, LENGTH);
    ParameterCoding::putWord(record, 0, static_cast<std::uint16_t>(tenths));
    return record;
}

QString validateLowAlarm(const Entry& entry)
{
    return criterionThenVoltage(entry, ParameterCoding::percentRangeText());
}

QString validateChargeCriteria(const Entry& entry)
{
    return criterionThenVoltage(entry, QStringLiteral("Amps must be between 1 - 99"));
}

QString validateHighAlarm(const QString& volts)
{
    return voltageMessage(volts);
}

Values toValues(const Entry& entry)
{
    Values values;
    values.tenths = ParameterCoding::typedTenths(entry.volts);
    if (!entry.criterionUnused)
        values.criterion = TypedNumber::toWhole(entry.criterion);
    return values;
}

} // namespace SetpointRecord
