#include "config/Settings.h"

QString Settings::hostText() const
{
    if (useNetBios != 0)
        return netBiosName;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ipAddress >> 24)
        .arg((ipAddress >> 16) & 0xFFu)
        .arg((ipAddress >> 8) & 0xFFu)
        .arg(ipAddress & 0xFFu);
}
