#include "config/Settings.h"

#include "config/SettingsKeys.h"

Settings::Settings()
{
    SettingsKeys::applyDefaults(*this);
}

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
    return Settings().reportLabels;
}
