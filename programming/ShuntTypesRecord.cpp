#include "programming/ShuntTypesRecord.h"

#include "programming/ParameterCoding.h"

namespace ShuntTypesRecord {

namespace {

constexpr int SHUNT_BIT = 0x10;
constexpr int SUM_BIT = 0x20;

} // namespace

QStringList shuntTexts()
{
    return {QStringLiteral("100A/100mV"), QStringLiteral("500A/50mV")};
}

Values decode(QByteArrayView record)
{
    Values values;
    for (int channel = 0; channel < CHANNELS; ++channel)
        values.shuntChoice[static_cast<std::size_t>(channel)] =
            ParameterCoding::byteAt(record, channel) & SHUNT_BIT ? 1 : 0;
    values.amps2IsSum = ParameterCoding::byteAt(record, 1) & SUM_BIT;
    return values;
}

QByteArray encode(const Values& values, QByteArrayView recordRead, float firmwareVersion)
{
    QByteArray record = ParameterCoding::fitted(recordRead, LENGTH);
    for (int channel = 0; channel < CHANNELS; ++channel)
        ParameterCoding::setBits(record, channel, SHUNT_BIT,
                                 values.shuntChoice[static_cast<std::size_t>(channel)] == 1);
    if (ParameterCoding::hasNewFeatures(firmwareVersion))
        ParameterCoding::setBits(record, 1, SUM_BIT, values.amps2IsSum);
    return record;
}

} // namespace ShuntTypesRecord
