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
