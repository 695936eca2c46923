#include "programming/UnitClockRecords.h"

#include "programming/ParameterCoding.h"
#include "programming/TypedNumber.h"

namespace UnitClockRecords {

namespace {

constexpr int BLOCK_BITS = 3;
constexpr int BLOCK_MASK = 7;

} // namespace

Values decode(QByteArrayView dayRecord, QByteArrayView minuteRecord)
{
    const int word = ParameterCoding::wordAt(dayRecord, 0);
    return {word >> BLOCK_BITS,
            ParameterCoding::byteAt(minuteRecord, 0) + MINUTES_PER_BLOCK * (word & BLOCK_MASK)};
}

QByteArray encodeDayRecord(const Values& values)
{
    QByteArray record(DAY_LENGTH, '\0');
    const int word = values.day * 8 + values.minuteOfDay / MINUTES_PER_BLOCK;
    ParameterCoding::putWord(record, 0, static_cast<std::uint16_t>(word));
    return record;
}

QByteArray encodeMinuteRecord(const Values& values)
{
    return QByteArray(1, static_cast<char>(values.minuteOfDay % MINUTES_PER_BLOCK));
}

QString validateDay(const QString& day)
{
    const int value = TypedNumber::toWhole(day);
    if (value < 0 || value > 999)
        return QStringLiteral("Days must be between 0 - 999");
    return {};
}

Values toValues(const QString& day, int hour, int minute)
{
    return {TypedNumber::toWhole(day), hour * 60 + minute};
}

} // namespace UnitClockRecords
