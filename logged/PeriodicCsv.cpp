#include "logged/PeriodicCsv.h"

#include "logged/CsvNumberText.h"

#include <QStringList>

namespace {

const QString DateTimeColumn = QString(PeriodicCsvTexts::DateTime) + QLatin1Char(',');
// The unit logs Celsius; the files carry Fahrenheit, as their header has always said.
const QString TemperatureColumns = PeriodicCsvTexts::Temperatures;
const QString Absent = QString(PeriodicCsvTexts::Absent) + QLatin1Char(',');

float fahrenheit(float celsius)
{
    return celsius * 1.8f + 32.0f;
}

// Label index of the items that have a configurable label.
int labelIndex(int bit)
{
    return bit < 5 ? bit : bit - 1;
}

} // namespace

PeriodicCsv::PeriodicCsv(PeriodicCsvFormat format) : format_(std::move(format)) {}

QString PeriodicCsv::fileText(std::span<CPerData* const> records) const
{
    const std::uint16_t firstFlags = records.empty() ? 0 : records.front()->itemFlags;
    return header(firstFlags) + rows(records);
}

QString PeriodicCsv::header(std::uint16_t firstItemFlags) const
{
    return format_.allColumns ? allColumnsHeader() : selectedColumnsHeader(firstItemFlags);
}

QString PeriodicCsv::allColumnsHeader() const
{
    const auto& labels = format_.labels;
    const QStringList columns{labels[0],
                              labels[1],
                              labels[2],
                              labels[3],
                              labels[4],
                              TemperatureColumns,
                              labels[5],
                              labels[6],
                              labels[7],
                              labels[8],
                              PeriodicCsvTexts::Battery1GotCharged,
                              labels[9],
                              PeriodicCsvTexts::Battery2GotCharged};
    return DateTimeColumn + columns.join(QLatin1Char(','));
}

QString PeriodicCsv::selectedColumnsHeader(std::uint16_t itemFlags) const
{
    QString text = DateTimeColumn;
    for (int bit = 0; bit < CPerData::ItemCount; ++bit) {
        if (!(itemFlags & (1 << bit)))
            continue;
        if (bit == 5) {
            text += TemperatureColumns + QLatin1Char(',');
        } else if (bit == 9) {
            if (format_.batteryMask & 1)
                text += format_.labels[8] + QLatin1Char(',') + PeriodicCsvTexts::Charged1 +
                        QLatin1Char(',');
            if (format_.batteryMask & 2)
                text += format_.labels[9] + QLatin1Char(',') + PeriodicCsvTexts::Charged2 +
                        QLatin1Char(',');
        } else {
            text += itemLabel(bit) + QLatin1Char(',');
        }
    }
    text.chop(1);
    return text;
}

QString PeriodicCsv::itemLabel(int bit) const
{
    return format_.labels[labelIndex(bit)];
}

QString PeriodicCsv::rows(std::span<CPerData* const> records) const
{
    QString text;
    for (const CPerData* record : records) {
        if (record->isValid())
            text += row(*record);
    }
    return text;
}

QString PeriodicCsv::row(const CPerData& record) const
{
    QString text = QLatin1Char('\r') + format_.timeText.format(record.time) + QLatin1Char(',');
    for (int bit = 0; bit < CPerData::ItemCount; ++bit) {
        if (record.itemFlags & (1 << bit))
            text += itemText(record, bit);
        else if (format_.allColumns)
            text += absentItemText(bit);
    }
    text.chop(1);
    return text;
}

QString PeriodicCsv::itemText(const CPerData& record, int bit) const
{
    const QChar comma(QLatin1Char(','));
    switch (bit) {
    case 0:
    case 1:
    case 2:
        return fixed2Text(record.ampHours[bit]) + comma;
    case 3:
    case 4:
        return fixed1Text(record.wattHours[bit - 3]) + comma;
    case 5:
        return fixed1Text(fahrenheit(record.tempMax)) + comma +
               fixed1Text(fahrenheit(record.tempMin)) + comma;
    case 6:
        return fixed1Text(record.volts1) + comma;
    case 7:
        return fixed2Text(record.amps1) + comma;
    case 8:
        return fixed1Text(record.volts2) + comma;
    default:
        return batteryText(record);
    }
}

QString PeriodicCsv::absentItemText(int bit) const
{
    if (bit == 5)
        return Absent + Absent;
    if (bit == 9)
        return Absent + Absent + Absent + Absent;
    return Absent;
}

// In all-columns mode a battery without a capacity keeps its two columns as gaps, so that
// battery 2's values never slide under battery 1's header.
QString PeriodicCsv::batteryText(const CPerData& record) const
{
    const int chargedScale = format_.chargedAs100 ? 100 : 1;
    QString text;
    for (int battery = 0; battery < 2; ++battery) {
        if (format_.batteryMask & (1 << battery)) {
            text += QStringLiteral("%1,%2,")
                        .arg(static_cast<int>(record.percentFull[battery]))
                        .arg(record.charged[battery] * chargedScale);
        } else if (format_.allColumns) {
            text += Absent + Absent;
        }
    }
    return text;
}
