#include "config/Settings.h"

QString Settings::hostText() const
{
    return useNetBios != 0 ? netBiosName : dottedAddress(ipAddress);
}

QString dottedAddress(std::uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFFu)
        .arg((address >> 8) & 0xFFu)
        .arg(address & 0xFFu);
}

std::array<QString, ReportLabelCount> defaultReportLabels()
{
    return {QStringLiteral("AD13: Ahr 1"),
            QStringLiteral("AD14: Ahr 2"),
            QStringLiteral("AD15: Ahr 3"),
            QStringLiteral("AD20: Whr 1"),
            QStringLiteral("AD21: Whr 2"),
            QStringLiteral("AD3: Volts 1"),
            QStringLiteral("AD10: Amps 1"),
            QStringLiteral("AD4: Volts 2"),
            QStringLiteral("AD22: Battery #1: %Full"),
            QStringLiteral("AD23: Battery #2: %Full")};
}
