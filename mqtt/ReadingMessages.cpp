#include "mqtt/ReadingMessages.h"

#include "display/CLiveItemTable.h"
#include "mqtt/UnitTopics.h"
#include "resources/StringTable.h"

#include <QJsonValue>
#include <QTime>
#include <charconv>

namespace {

// The status rows are named by the texts the window shows for them, 3000 + row.
constexpr int FirstStatusString = 3000;
constexpr int AverageCount = 3;

double shown(const EfficiencyCell& cell)
{
    return ReadingMessages::shownNumber(cell.valueText, cell.value);
}

QJsonObject measured(double value, const QString& unit)
{
    return {{QStringLiteral("value"), value}, {QStringLiteral("unit"), unit}};
}

} // namespace

const QList<QString>& ReadingMessages::statusKeys()
{
    static const QList<QString> keys{
        QStringLiteral("b1_low"),        QStringLiteral("b1_charged"),
        QStringLiteral("b1_high"),       QStringLiteral("b1_time_to_charge"),
        QStringLiteral("b1_time_to_eq"), QStringLiteral("relay_on"),
        QStringLiteral("b2_low"),        QStringLiteral("b2_charged"),
        QStringLiteral("b2_high"),       QStringLiteral("b2_time_to_charge"),
        QStringLiteral("b2_time_to_eq")};
    return keys;
}

double ReadingMessages::shortestDecimal(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QByteArray(text, result.ptr - text).toDouble();
}

ReadingMessages::ReadingMessages(const CLiveItemTable& items, const QList<int>& chosen,
                                 const UnitSnapshot& said, const QDateTime& pcTime)
    : items_(items), chosen_(chosen), said_(said), pcTime_(pcTime)
{}

QJsonObject ReadingMessages::state() const
{
    const bool clockRead = said_.unitMinuteOfDay >= 0;
    const QTime unitTime = QTime(0, 0).addSecs(60 * std::max(0, said_.unitMinuteOfDay));
    return {
        {QStringLiteral("pc_time"),
         pcTime_.toOffsetFromUtc(pcTime_.offsetFromUtc()).toString(Qt::ISODate)},
        {QStringLiteral("unit_day"), clockRead ? QJsonValue(said_.unitDay) : QJsonValue()},
        {QStringLiteral("unit_time"),
         clockRead ? QJsonValue(unitTime.toString(QStringLiteral("HH:mm"))) : QJsonValue()},
        {QStringLiteral("firmware"), said_.firmwareVersion > 0.0f
                                         ? QJsonValue(shortestDecimal(said_.firmwareVersion))
                                         : QJsonValue()},
        {QStringLiteral("items"), itemsObject()},
        {QStringLiteral("status"), statusObject()},
        {QStringLiteral("efficiency"), efficiencyObject()},
    };
}

double ReadingMessages::shownNumber(const QString& text, float value)
{
    bool isNumber = false;
    const double shown = text.toDouble(&isNumber);
    return isNumber ? shown : shortestDecimal(value);
}

QByteArray ReadingMessages::itemPayload(int number) const
{
    const LiveItem& item = items_.item(number);
    if (!item.valid)
        return {};
    return QByteArray::number(shownNumber(item.valueText, item.value), 'g', 9);
}

QJsonObject ReadingMessages::itemsObject() const
{
    QJsonObject items;
    for (int n : chosen_) {
        const LiveItem& item = items_.item(n);
        items.insert(
            UnitTopics::itemKey(n),
            QJsonObject{
                {QStringLiteral("label"), item.labelText},
                {QStringLiteral("value"),
                 item.valid ? QJsonValue(shownNumber(item.valueText, item.value)) : QJsonValue()},
                {QStringLiteral("unit"), item.unitText},
                {QStringLiteral("text"), item.valid ? item.valueText : QString()}});
    }
    return items;
}

QJsonObject ReadingMessages::statusObject() const
{
    QJsonObject status;
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row) {
        QJsonObject flag{{QStringLiteral("label"), loadString(FirstStatusString + row)},
                         {QStringLiteral("on"), said_.status.flag(row)}};
        if (row != BatteryStatus::RELAY_ROW)
            flag.insert(QStringLiteral("alarm"), said_.status.alarmState(row));
        status.insert(statusKeys()[row], flag);
    }
    return status;
}

QJsonObject ReadingMessages::efficiencyObject() const
{
    const EfficiencyTable& table = said_.efficiency;
    QJsonObject battery1{
        {QStringLiteral("capacity"),
         measured(table.cell(EfficiencyTable::CAPACITY).value, QStringLiteral("Ahrs"))}};
    for (int g = 0; g < AverageCount; ++g)
        battery1.insert(
            QStringLiteral("average%1").arg(g + 1),
            QJsonObject{{QStringLiteral("cycles"), table.cell(EfficiencyTable::CYCLES + g).value},
                        {QStringLiteral("amphour_efficiency"),
                         measured(table.cell(EfficiencyTable::AMPHOUR_EFFICIENCY + g).value,
                                  QStringLiteral("%"))},
                        {QStringLiteral("self_discharge"),
                         measured(shown(table.cell(EfficiencyTable::SELF_DISCHARGE + g)),
                                  QStringLiteral("Amps"))}});
    return {{QStringLiteral("battery1"), battery1}};
}
