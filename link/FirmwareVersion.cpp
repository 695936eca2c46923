#include "link/FirmwareVersion.h"

namespace FirmwareVersion {

float fromByte(std::uint8_t versionByte)
{
    if (versionByte >= 20 && versionByte <= 49)
        return static_cast<float>(versionByte) * 0.1f;
    return 1.0f;
}

QString text(float version)
{
    return QString::asprintf("%0.1f", static_cast<double>(version));
}

QString title()
{
    return QStringLiteral("Firmware Version");
}

} // namespace FirmwareVersion
