#include "programming/ChannelLabelsRecord.h"

#include "link/Volts1Name.h"
#include "programming/ParameterCoding.h"

namespace ChannelLabelsRecord {

namespace {

constexpr int CODE_BITS = 0x07;

} // namespace

QStringList volts1Texts()
{
    return Volts1Name::texts();
}

QStringList ampsTexts(int channel)
{
    static const QString own[AMPS_CHANNELS] = {QStringLiteral("Amps 1"), QStringLiteral("Amps 2"),
                                               QStringLiteral("Amps 3")};
    static const QString battery[AMPS_CHANNELS] = {
        QStringLiteral("Battery 1"), QStringLiteral("Battery 2"), QStringLiteral("Battery")};
    return {own[channel],           QStringLiteral("Solar"),
            QStringLiteral("Wind"), QStringLiteral("Hydro"),
            QStringLiteral("Load"), QStringLiteral("Battery"),
            battery[channel]};
}

Values decode(QByteArrayView record)
{
    Values values;
    values.volts1Choice = ParameterCoding::byteAt(record, 0) & Volts1Name::BatteryBit ? 0 : 1;
    for (int channel = 0; channel < AMPS_CHANNELS; ++channel) {
        const int code = ParameterCoding::byteAt(record, channel) & CODE_BITS;
        values.ampsChoice[static_cast<std::size_t>(channel)] =
            ParameterCoding::listChoice(code, static_cast<int>(ampsTexts(channel).size()));
    }
    return values;
}

QByteArray encode(const Values& values, QByteArrayView recordRead)
{
    QByteArray record = ParameterCoding::fitted(recordRead, LENGTH);
    for (int channel = 0; channel < AMPS_CHANNELS; ++channel) {
        const int byte = static_cast<std::uint8_t>(record[channel]);
        const int code = ParameterCoding::choiceCode(
            values.ampsChoice[static_cast<std::size_t>(channel)], byte & CODE_BITS);
        record[channel] = static_cast<char>((byte & ~CODE_BITS) | (code & CODE_BITS));
    }
    ParameterCoding::setBits(record, 0, Volts1Name::BatteryBit, values.volts1Choice == 0);
    return record;
}

} // namespace ChannelLabelsRecord
