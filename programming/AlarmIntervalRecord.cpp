#include "programming/AlarmIntervalRecord.h"

#include "programming/ParameterCoding.h"
#include "programming/TypedNumber.h"

namespace AlarmIntervalRecord {

int decode(QByteArrayView record)
{
    return ParameterCoding::byteAt(record, 0);
}

QByteArray encode(int days)
{
    return QByteArray(1, static_cast<char>(days));
}

QString validate(const QString& days)
{
    const int value = TypedNumber::toWhole(days);
    if (value < 0 || value > 250)
        return QStringLiteral("Days must be between 0 - 250.");
    return {};
}

int toDays(const QString& days)
{
    return TypedNumber::toWhole(days);
}

} // namespace AlarmIntervalRecord
