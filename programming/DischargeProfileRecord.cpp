#include "programming/DischargeProfileRecord.h"

#include "programming/ParameterCoding.h"

namespace DischargeProfileRecord {

namespace {

constexpr int BATTERY1_BIT = 0x20;
constexpr int BATTERY2_BIT = 0x40;
constexpr int FIVE_PERCENT_BIT = 0x80;

} // namespace

Values decode(QByteArrayView record)
{
    const int byte = ParameterCoding::byteAt(record, 0);
    return {(byte & FIVE_PERCENT_BIT) != 0, (byte & BATTERY1_BIT) != 0, (byte & BATTERY2_BIT) != 0};
}

QByteArray encode(const Values& values, QByteArrayView recordRead)
{
    QByteArray record = ParameterCoding::fitted(recordRead, LENGTH);
    ParameterCoding::setBits(record, 0, FIVE_PERCENT_BIT, values.everyFivePercent);
    ParameterCoding::setBits(record, 0, BATTERY1_BIT, values.battery1);
    ParameterCoding::setBits(record, 0, BATTERY2_BIT, values.battery2);
    return record;
}

} // namespace DischargeProfileRecord
