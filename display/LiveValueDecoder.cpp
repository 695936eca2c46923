#include "display/LiveValueDecoder.h"

#include "display/LiveItemSettings.h"

#include <cmath>

namespace {

quint32 byteAt(QByteArrayView reply, qsizetype index)
{
    return index < reply.size() ? static_cast<quint8>(reply[index]) : 0u;
}

quint32 unsigned16(QByteArrayView reply)
{
    return byteAt(reply, 0) | (byteAt(reply, 1) << 8);
}

qint32 signed24(QByteArrayView reply)
{
    const quint32 raw = byteAt(reply, 0) | (byteAt(reply, 1) << 8) | (byteAt(reply, 2) << 16);
    return static_cast<qint32>(raw << 8) >> 8;
}

qint32 signed32(QByteArrayView reply)
{
    return static_cast<qint32>(byteAt(reply, 0) | (byteAt(reply, 1) << 8) |
                               (byteAt(reply, 2) << 16) | (byteAt(reply, 3) << 24));
}

// The unit counts charge and discharge the other way round from how the values are shown.
// Negating in 64 bits keeps the most negative 32-bit number representable and zero unsigned.
qint64 negated(qint32 unitNumber)
{
    return -static_cast<qint64>(unitNumber);
}

float scaledSingle(qint64 count)
{
    return static_cast<float>(count) * 0.01f;
}

// Types 2 and 4: the magnitude is scaled in double precision and cut to three digits.
float threeDigitCurrent(qint32 unitNumber)
{
    const qint64 shown = negated(unitNumber);
    const double magnitude = ThreeDigits(static_cast<double>(std::llabs(shown)) * 0.01);
    return static_cast<float>(shown < 0 ? -magnitude : magnitude);
}

float temperature(QByteArrayView reply, int temperatureUnit)
{
    const auto celsius = static_cast<qint8>(byteAt(reply, 0));
    if (temperatureUnit == LiveItemSettings::FAHRENHEIT)
        return static_cast<float>(celsius * 1.8 + 32.0);
    return static_cast<float>(celsius);
}

DecodedValue formatted(float value, const char* format)
{
    return {value, QString::asprintf(format, static_cast<double>(value))};
}

DecodedValue days(QByteArrayView reply)
{
    const float value = static_cast<float>(unsigned16(reply)) * 0.01f;
    if (value > 655.0f)
        return {value, QStringLiteral("??")};
    return formatted(value, "%.2f");
}

} // namespace

double ThreeDigits(double x)
{
    QString text = QString::asprintf("%.3f", x);
    const qsizetype firstZeroed = x >= 1000.0 ? 3 : (x >= 1.0 ? 4 : 5);
    for (qsizetype i = firstZeroed; i < text.size(); ++i) {
        if (text[i] != u'.')
            text[i] = u'0';
    }
    return text.toDouble();
}

DecodedValue decodeLiveValue(int decodeType, QByteArrayView reply, int temperatureUnit)
{
    switch (decodeType) {
    case 1:
        return formatted(static_cast<float>(unsigned16(reply) & 0x07FF) * 0.05f, "%.1f");
    case 2:
        return formatted(threeDigitCurrent(signed24(reply)), "%.2f");
    case 3:
        return formatted(static_cast<float>(negated(signed24(reply))), "%.2f");
    case 4:
        return formatted(threeDigitCurrent(signed24(reply)), "%.1f");
    case 5:
        return formatted(scaledSingle(negated(signed24(reply))), "%.2f");
    case 6:
        return formatted(scaledSingle(negated(signed32(reply) >> 7)), "%.2f");
    case 7:
        return formatted(scaledSingle(negated(signed32(reply))), "%.2f");
    case 8:
        return formatted(static_cast<float>(byteAt(reply, 0)), "%.0f");
    case 9:
        return days(reply);
    case 10:
        return formatted(temperature(reply, temperatureUnit), "%.1f");
    default:
        return {};
    }
}
