#include "logged/DischargeProfileCsv.h"

#include "logged/CsvNumberText.h"

QString DischargeProfileCsv::fileText(std::span<CIntData* const> entries)
{
    QString text = Header;
    for (const CIntData* entry : entries) {
        if (!entry->present)
            continue;
        text += QStringLiteral("\r%1,%2%,")
                    .arg(static_cast<int>(entry->dayOfMonth))
                    .arg(static_cast<int>(entry->percentFull)) +
                fixed2Text(entry->volts) + QLatin1Char(',') + fixed2Text(entry->amps);
    }
    return text;
}
