#include "cli/InfoCommand.h"

#include "cli/CliContext.h"
#include "cli/ExitCode.h"
#include "cli/UnitConnection.h"
#include "display/CLiveItemTable.h"
#include "display/EfficiencyTable.h"
#include "display/UnitClock.h"
#include "link/FirmwareVersion.h"
#include "programming/BatteryCapacityRecord.h"
#include "programming/ParameterCoding.h"
#include "programming/ShuntTypesRecord.h"
#include "programming/UnitClockRecords.h"
#include "resources/StringTable.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

namespace {

// The records, in the order they are read: firmware version, channel names, shunt types, the
// two battery capacities and the clock's day and minute records.
enum Record { Version, ChannelNames, Shunts, Battery1, Battery2, ClockDay, ClockMinute };

} // namespace

void InfoCommand::addOptions(QCommandLineParser& parser)
{
    CliContext::addJsonOption(parser);
}

int InfoCommand::run(const QCommandLineParser& parser)
{
    UnitConnection connection(context_.link);
    if (!connection.connectUnit())
        return context_.failed(connection);
    const auto records =
        connection.readRecords({RecordMap::Version, RecordMap::ChannelNames, RecordMap::ShuntTypes,
                                RecordMap::Battery1Capacity, RecordMap::Battery2Capacity,
                                RecordMap::ClockDay, RecordMap::ClockMinute});
    if (!records)
        return context_.failed(connection);
    const UnitInfo info = decode(*records);
    if (parser.isSet(QStringLiteral("json")))
        printJson(info);
    else
        printText(info);
    return EXIT_OK;
}

InfoCommand::UnitInfo InfoCommand::decode(const QList<QByteArray>& records)
{
    UnitInfo info;
    info.firmwareVersion =
        FirmwareVersion::fromByte(static_cast<std::uint8_t>(records[Version][0]));
    // The names as the display labels its items with them.
    CLiveItemTable items(StringTable::builtIn());
    items.build(LiveItemSettings{});
    items.applyChannelNames(records[ChannelNames]);
    info.volts1Name = items.settings().voltLabels[0];
    info.ampsNames = items.settings().ampLabels;
    const ShuntTypesRecord::Values shunts = ShuntTypesRecord::decode(records[Shunts]);
    for (int choice : shunts.shuntChoice)
        info.shunts.append(ShuntTypesRecord::shuntTexts().value(choice));
    info.amps2IsSum = shunts.amps2IsSum && ParameterCoding::hasNewFeatures(info.firmwareVersion);
    info.capacities = {BatteryCapacityRecord::decode(records[Battery1]),
                       BatteryCapacityRecord::decode(records[Battery2])};
    const auto clock = UnitClockRecords::decode(records[ClockDay], records[ClockMinute]);
    info.day = clock.day;
    info.minuteOfDay = clock.minuteOfDay;
    return info;
}

QString InfoCommand::capacityText(int ampHours)
{
    return ampHours == 0 ? BatteryCapacityRecord::noBatteryText()
                         : EfficiencyTable::capacityText(ampHours);
}

void InfoCommand::printText(const UnitInfo& info) const
{
    QList<std::pair<QString, QString>> fields{
        {FirmwareVersion::title(), FirmwareVersion::text(info.firmwareVersion)},
        {QStringLiteral("Volts 1"), info.volts1Name}};
    for (int k = 0; k < 3; ++k)
        fields.append(
            {QStringLiteral("Amps %1").arg(k + 1),
             QStringLiteral("%1, shunt %2").arg(info.ampsNames[k], info.shunts.value(k))});
    if (ParameterCoding::hasNewFeatures(info.firmwareVersion))
        fields.append({QStringLiteral("Amps 2 = shunt 1 + shunt 2"),
                       info.amps2IsSum ? QStringLiteral("yes") : QStringLiteral("no")});
    for (int b = 0; b < 2; ++b)
        fields.append(
            {QStringLiteral("Battery %1 Capacity").arg(b + 1), capacityText(info.capacities[b])});
    fields.append(
        {UnitClock::unitTimeTitle(), UnitClock::dayAndTimeText(info.day, info.minuteOfDay)});
    context_.printFields(fields);
}

void InfoCommand::printJson(const UnitInfo& info) const
{
    QJsonArray amps;
    for (int k = 0; k < 3; ++k)
        amps.append(QJsonObject{{QStringLiteral("name"), info.ampsNames[k]},
                                {QStringLiteral("shunt"), info.shunts.value(k)}});
    context_.printJson(QJsonObject{
        {QStringLiteral("firmwareVersion"), FirmwareVersion::text(info.firmwareVersion)},
        {QStringLiteral("volts1"), info.volts1Name},
        {QStringLiteral("amps"), amps},
        {QStringLiteral("amps2IsSum"), info.amps2IsSum},
        {QStringLiteral("batteryCapacities"), QJsonArray{info.capacities[0], info.capacities[1]}},
        {QStringLiteral("unitClock"),
         QJsonObject{
             {QStringLiteral("day"), info.day},
             {QStringLiteral("minuteOfDay"), info.minuteOfDay},
             {QStringLiteral("time"), UnitClock::formatMinutesAfterMidnight(info.minuteOfDay)}}}});
}
