#include "simulator/UnitChecksum.h"

namespace {

quint8 sumOf(QByteArrayView bytes)
{
    quint8 sum = 0;
    for (char byte : bytes)
        sum = static_cast<quint8>(sum + static_cast<quint8>(byte));
    return sum;
}

} // namespace

quint8 UnitChecksum::over(QByteArrayView bytes)
{
    return static_cast<quint8>(0xFF - sumOf(bytes));
}

bool UnitChecksum::holds(QByteArrayView bytes)
{
    return !bytes.isEmpty() && sumOf(bytes) == 0xFF;
}
