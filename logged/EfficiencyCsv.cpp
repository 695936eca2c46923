#include "logged/EfficiencyCsv.h"

#include "logged/CsvNumberText.h"
#include "resources/StringTable.h"

namespace {

constexpr int EfficiencyHeaderText = 1505;

QString percentText(float ratio)
{
    return fixed2Text(ratio * 100.0f) + QLatin1Char('%');
}

} // namespace

QString EfficiencyCsv::fileText(std::span<CEffData* const> records, int averagedCycles,
                                const LogTimeText& timeText)
{
    QString text = loadString(EfficiencyHeaderText);
    text.replace(QStringLiteral("%d"), QString::number(averagedCycles));
    // The first record only opens the first cycle; it has no row of its own.
    for (std::size_t k = 1; k < records.size(); ++k) {
        if (records[k]->present)
            text += row(*records[k], timeText);
    }
    return text;
}

QString EfficiencyCsv::row(const CEffData& record, const LogTimeText& timeText)
{
    const QChar comma(QLatin1Char(','));
    return QLatin1Char('\r') + timeText.format(record.time) + comma +
           (record.valid ? QStringLiteral("TRUE,") : QStringLiteral("FALSE,")) +
           fixed2Text(record.cycleHours) + comma + fixed2Text(record.dischargeAmpHours) + comma +
           fixed2Text(record.chargeAmpHours) + comma + fixed2Text(record.netAmpHours) + comma +
           percentText(record.chargeEfficiency) + comma + fixed2Text(record.selfDischarge) + comma +
           percentText(record.averageChargeEfficiency) + comma +
           fixed2Text(record.averageSelfDischarge);
}
