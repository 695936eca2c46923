#include "link/Volts1Name.h"

namespace Volts1Name {

QStringList texts()
{
    return {QStringLiteral("Battery"), QStringLiteral("Battery 1")};
}

QString of(std::uint8_t firstByte)
{
    return texts().at((firstByte & BatteryBit) != 0 ? 0 : 1);
}

} // namespace Volts1Name
