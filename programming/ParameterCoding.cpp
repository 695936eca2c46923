#include "programming/ParameterCoding.h"

#include "programming/TypedNumber.h"

#include <algorithm>
#include <cmath>

namespace ParameterCoding {

bool hasNewFeatures(float firmwareVersion)
{
    return firmwareVersion >= NEW_FEATURES_FIRMWARE;
}

std::uint8_t byteAt(QByteArrayView record, int i)
{
    return i >= 0 && i < record.size() ? static_cast<std::uint8_t>(record[i]) : 0;
}

void setBits(QByteArray& record, int i, int mask, bool set)
{
    const int byte = static_cast<std::uint8_t>(record[i]);
    record[i] = static_cast<char>(set ? byte | mask : byte & ~mask);
}

std::uint16_t wordAt(QByteArrayView record, int offset)
{
    return static_cast<std::uint16_t>(byteAt(record, offset) | byteAt(record, offset + 1) << 8);
}

void putWord(QByteArray& record, int offset, std::uint16_t value)
{
    record[offset] = static_cast<char>(value & 0xFF);
    record[offset + 1] = static_cast<char>(value >> 8);
}

int tenBitsAt(QByteArrayView record, int offset)
{
    return (byteAt(record, offset + 1) & 3) * 256 + byteAt(record, offset);
}

int scaled(double typed, double factor)
{
    // Only range-checked numbers reach the unit; the clamp keeps any other conversion defined.
    const double value = std::trunc(typed * factor);
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
}

int typedTenths(QStringView volts)
{
    return scaled(TypedNumber::toDecimal(volts), 10.0);
}

bool isVoltageInRange(double volts)
{
    return volts >= 10.0 && volts <= 100.0;
}

QString percentRangeText()
{
    return QStringLiteral("Percent must be between 1 - 99");
}

QString voltsText(int tenths)
{
    return QString::asprintf("%.1f", tenths * 0.1);
}

std::optional<int> listChoice(int code, int listSize)
{
    if (code < 0 || code >= listSize)
        return std::nullopt;
    return code;
}

int choiceCode(std::optional<int> choice, int codeRead)
{
    return choice.value_or(codeRead);
}

QByteArray fitted(QByteArrayView record, int length)
{
    QByteArray bytes = record.first(std::min<qsizetype>(record.size(), length)).toByteArray();
    bytes.resize(length, '\0');
    return bytes;
}

} // namespace ParameterCoding
