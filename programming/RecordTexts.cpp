#include "programming/RecordTexts.h"

#include "programming/AlarmEnablesRecord.h"
#include "programming/AlarmIntervalRecord.h"
#include "programming/BatteryCapacityRecord.h"
#include "programming/ChannelLabelsRecord.h"
#include "programming/DischargeProfileRecord.h"
#include "programming/EfficiencyRecord.h"
#include "programming/FilterTimeRecord.h"
#include "programming/NetworkAdapterBlocks.h"
#include "programming/ParameterCoding.h"
#include "programming/PeriodicLoggingRecord.h"
#include "programming/RelaySetpointsRecord.h"
#include "programming/SetpointRecord.h"
#include "programming/ShuntTypesRecord.h"
#include "programming/SwitchItemsRecord.h"

#include <QStringList>
#include <QTime>

namespace RecordTexts {

namespace {

using ParameterCoding::byteAt;

QString volts(int tenths)
{
    return ParameterCoding::voltsText(tenths) + QStringLiteral(" V");
}

// The entry of a choice list, or the raw code when the list has no entry for it.
QString choice(const QStringList& texts, std::optional<int> entry, int code)
{
    return entry ? texts.value(*entry) : QStringLiteral("code %1").arg(code);
}

QString ipv4(std::uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg(address >> 16 & 0xFF)
        .arg(address >> 8 & 0xFF)
        .arg(address & 0xFF);
}

NetworkAdapterBlocks::Settings networkSettings(NetworkAdapterBlocks::Block block,
                                               QByteArrayView record)
{
    NetworkAdapterBlocks::Blocks blocks;
    blocks[static_cast<std::size_t>(block)] = record.toByteArray();
    return NetworkAdapterBlocks::decode(blocks);
}

// What the setpoint dialogs show for a record: the voltage and the criterion as typed text.
SetpointRecord::Entry setpointEntry(QByteArrayView record)
{
    const SetpointRecord::Values values = SetpointRecord::decode(record);
    return {ParameterCoding::voltsText(values.tenths),
            QString::number(values.criterion.value_or(0)), !values.criterion};
}

QString setpoint(QByteArrayView record, const QString& criterionUnit, const QString& notUsed)
{
    const SetpointRecord::Values values = SetpointRecord::decode(record);
    const QString criterion =
        values.criterion ? QStringLiteral("%1 %2").arg(*values.criterion).arg(criterionUnit)
                         : notUsed;
    return volts(values.tenths) + QStringLiteral(", ") + criterion;
}

RelaySetpointsRecord::ColumnEntry relayColumnEntry(const RelaySetpointsRecord::Column& column)
{
    return {ParameterCoding::voltsText(column.tenths), QString::number(column.percent), column.use};
}

QString relayColumn(const char* turn, const RelaySetpointsRecord::Column& column)
{
    using RelaySetpointsRecord::PercentUse;
    QString text = QStringLiteral("%1 %2").arg(QLatin1String(turn), volts(column.tenths));
    if (column.use == PercentUse::Percent)
        text += QStringLiteral(" or %1 %").arg(column.percent);
    else if (column.use == PercentUse::ChargeCriteria)
        text += QStringLiteral(" or charged (P32)");
    return text;
}

} // namespace

QString switchItems(QByteArrayView record, float)
{
    QStringList items;
    for (int item : SwitchItemsRecord::decode(record))
        items.append(item == 0 ? QStringLiteral("none") : QStringLiteral("AD%1").arg(item));
    return items.join(QStringLiteral(", "));
}

QString channelLabels(QByteArrayView record, float)
{
    const ChannelLabelsRecord::Values values = ChannelLabelsRecord::decode(record);
    QStringList labels{QStringLiteral("Volts 1: ") +
                       ChannelLabelsRecord::volts1Texts().value(values.volts1Choice)};
    for (int channel = 0; channel < ChannelLabelsRecord::AMPS_CHANNELS; ++channel)
        labels.append(QStringLiteral("Amps %1: ").arg(channel + 1) +
                      choice(ChannelLabelsRecord::ampsTexts(channel),
                             values.ampsChoice[static_cast<std::size_t>(channel)],
                             byteAt(record, channel) & 7));
    return labels.join(QStringLiteral("; "));
}

QString shuntTypes(QByteArrayView record, float firmware)
{
    const ShuntTypesRecord::Values values = ShuntTypesRecord::decode(record);
    QStringList shunts;
    for (int channel = 0; channel < ShuntTypesRecord::CHANNELS; ++channel)
        shunts.append(QStringLiteral("Amps %1: ").arg(channel + 1) +
                      ShuntTypesRecord::shuntTexts().value(
                          values.shuntChoice[static_cast<std::size_t>(channel)]));
    if (ParameterCoding::hasNewFeatures(firmware) && values.amps2IsSum)
        shunts.append(QStringLiteral("Amps 2 read as input 1 + input 2"));
    return shunts.join(QStringLiteral("; "));
}

QString batteryCapacity(QByteArrayView record, float)
{
    const int ampHours = BatteryCapacityRecord::decode(record);
    return ampHours == 0 ? QStringLiteral("No Battery") : QStringLiteral("%1 Ah").arg(ampHours);
}

QString filterTime(QByteArrayView record, float)
{
    const QString time =
        choice(FilterTimeRecord::texts(), FilterTimeRecord::decode(record), byteAt(record, 0));
    return time + QStringLiteral(" min");
}

QString alarmEnables(QByteArrayView record, float)
{
    using namespace AlarmEnablesRecord;
    const Values values = decode(record);
    QStringList alarms;
    for (int alarm = 0; alarm < ALARM_COUNT; ++alarm) {
        const auto setting = values[static_cast<std::size_t>(alarm)];
        // Only Lo Batt can be without a selection, and its code is the lowest two bits.
        alarms.append(caption(static_cast<Alarm>(alarm)) + u' ' +
                      choice(choiceTexts(), setting, byteAt(record, 0) & 3));
    }
    return alarms.join(QStringLiteral("; "));
}

QString lowAlarm(QByteArrayView record, float)
{
    return setpoint(record, QStringLiteral("%"), QStringLiteral("% full not used"));
}

QString highAlarm(QByteArrayView record, float)
{
    return volts(SetpointRecord::decode(record).tenths);
}

QString relaySetpoints(QByteArrayView record, float firmware)
{
    const auto view = RelaySetpointsRecord::view(RelaySetpointsRecord::decode(record), firmware);
    const auto& on = view.reversed ? view.right : view.left;
    const auto& off = view.reversed ? view.left : view.right;
    return QStringLiteral("%1; %2; %3")
        .arg(view.reversed ? QStringLiteral("Reversed") : QStringLiteral("Normal"),
             relayColumn("ON", on), relayColumn("OFF", off));
}

QString chargeCriteria(QByteArrayView record, float)
{
    return setpoint(record, QStringLiteral("A"), QStringLiteral("amps not used"));
}

QString efficiency(QByteArrayView record, float)
{
    const EfficiencyRecord::Values values = EfficiencyRecord::decode(record);
    return QStringLiteral("%1 %, %2 A")
        .arg(values.efficiencyPercent)
        .arg(EfficiencyRecord::ampsText(values.selfDischargeHundredths));
}

QString alarmInterval(QByteArrayView record, float)
{
    return QStringLiteral("%1 days").arg(AlarmIntervalRecord::decode(record));
}

QString periodicLogging(QByteArrayView record, float)
{
    using namespace PeriodicLoggingRecord;
    const Values values = decode(record);
    QStringList items;
    for (int box = 0; box < ITEM_COUNT; ++box)
        if (values.items & itemAt(box))
            items.append(itemText(box));
    const QString interval = values.interval ? intervalText(*values.interval)
                                             : QStringLiteral("code %1").arg(byteAt(record, 0));
    const QString from = QTime(0, 0).addSecs(values.minuteOfDay * 60).toString(u"HH:mm");
    return QStringLiteral("every %1 from %2: %3")
        .arg(interval, from, items.isEmpty() ? QStringLiteral("nothing") : items.join(u", "));
}

QString dischargeProfile(QByteArrayView record, float)
{
    const DischargeProfileRecord::Values values = DischargeProfileRecord::decode(record);
    QStringList batteries;
    if (values.battery1)
        batteries.append(QStringLiteral("Battery 1 data"));
    if (values.battery2)
        batteries.append(QStringLiteral("Battery 2 data"));
    return QStringLiteral("%1; %2").arg(
        values.everyFivePercent ? QStringLiteral("5% Change") : QStringLiteral("10% Change"),
        batteries.isEmpty() ? QStringLiteral("no battery") : batteries.join(u", "));
}

QString networkBlockA(QByteArrayView record, float)
{
    const auto settings = networkSettings(NetworkAdapterBlocks::BLOCK_A, record);
    return QStringLiteral("DHCP %1; IP %2; gateway %3; mask %4; DNS %5")
        .arg(settings.dhcp ? QStringLiteral("on") : QStringLiteral("off"), ipv4(settings.ipAddress),
             ipv4(settings.gateway), ipv4(settings.subnetMask), ipv4(settings.primaryDns));
}

QString networkBlockB(QByteArrayView record, float)
{
    const auto settings = networkSettings(NetworkAdapterBlocks::BLOCK_B, record);
    return QStringLiteral("DNS 2 %1; port %2").arg(ipv4(settings.secondaryDns)).arg(settings.port);
}

QString networkBlockC(QByteArrayView record, float)
{
    return QStringLiteral("name %1").arg(
        networkSettings(NetworkAdapterBlocks::BLOCK_C, record).name);
}

QString checkCapacity(QByteArrayView record, float)
{
    return BatteryCapacityRecord::validate(
        {QString::number(BatteryCapacityRecord::decode(record)), false});
}

QString checkLowAlarm(QByteArrayView record, float)
{
    return SetpointRecord::validateLowAlarm(setpointEntry(record));
}

QString checkHighAlarm(QByteArrayView record, float)
{
    return SetpointRecord::validateHighAlarm(setpointEntry(record).volts);
}

QString checkRelaySetpoints(QByteArrayView record, float firmware)
{
    const auto view = RelaySetpointsRecord::view(RelaySetpointsRecord::decode(record), firmware);
    return RelaySetpointsRecord::validate(
        {view.reversed, relayColumnEntry(view.left), relayColumnEntry(view.right)});
}

QString checkChargeCriteria(QByteArrayView record, float)
{
    return SetpointRecord::validateChargeCriteria(setpointEntry(record));
}

QString checkEfficiency(QByteArrayView record, float)
{
    const EfficiencyRecord::Values values = EfficiencyRecord::decode(record);
    return EfficiencyRecord::validate({QString::number(values.efficiencyPercent),
                                       EfficiencyRecord::ampsText(values.selfDischargeHundredths)});
}

QString checkAlarmInterval(QByteArrayView record, float)
{
    return AlarmIntervalRecord::validate(QString::number(AlarmIntervalRecord::decode(record)));
}

} // namespace RecordTexts
