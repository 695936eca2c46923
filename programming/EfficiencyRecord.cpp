#include "programming/EfficiencyRecord.h"

#include "programming/ParameterCoding.h"
#include "programming/TypedNumber.h"

namespace EfficiencyRecord {

Values decode(QByteArrayView record)
{
    return {ParameterCoding::byteAt(record, 0), ParameterCoding::tenBitsAt(record, 1)};
}

QByteArray encode(const Values& values)
{
    QByteArray record(LENGTH, '\0');
    record[0] = static_cast<char>(values.efficiencyPercent);
    ParameterCoding::putWord(record, 1, static_cast<std::uint16_t>(values.selfDischargeHundredths));
    return record;
}

QString ampsText(int hundredths)
{
    return QString::asprintf("%.2f", hundredths * 0.01);
}

QString validate(const Entry& entry)
{
    const int efficiency = TypedNumber::toWhole(entry.efficiencyPercent);
    if (efficiency < 60 || efficiency > 100)
        return QStringLiteral("Efficiency must be between 60 - 100%");
    const double amps = TypedNumber::toDecimal(entry.selfDischargeAmps);
    if (!(amps >= 0.0 && amps <= 9.99))
        return QStringLiteral("Amps must be between 0 - 9.99");
    return {};
}

Values toValues(const Entry& entry)
{
    return {TypedNumber::toWhole(entry.efficiencyPercent),
            ParameterCoding::scaled(TypedNumber::toDecimal(entry.selfDischargeAmps), 100.0)};
}

} // namespace EfficiencyRecord
