#include "programming/SettingsRecords.h"

#include "link/FirmwareVersion.h"
#include "programming/ParameterCoding.h"
#include "programming/RecordTexts.h"

namespace SettingsRecords {

namespace {

using Text = QString (*)(QByteArrayView record, float firmware);
using Rule = FirmwareRule;

struct Row {
    ParameterSlot slot;
    const char* tag;
    const char* name;
    Rule firmware;
    Text readable;
    Text check; // none where the dialog checks nothing
};

// By slot; the slots of the parameter table that are not here are never kept.
const Row ROWS[] = {
    {SLOT_SWITCH1, "P1", "Display Switch 1", Rule::Any, &RecordTexts::switchItems, nullptr},
    {SLOT_SWITCH2, "P2", "Display Switch 2", Rule::Any, &RecordTexts::switchItems, nullptr},
    {SLOT_SWITCH3, "P3", "Display Switch 3", Rule::Any, &RecordTexts::switchItems, nullptr},
    {SLOT_SWITCH4, "P4", "Display Switch 4", Rule::Any, &RecordTexts::switchItems, nullptr},
    {SLOT_SWITCH5, "P5", "Display Switch 5", Rule::Any, &RecordTexts::switchItems, nullptr},
    {SLOT_LABELS, "P6-9", "Channel Labels", Rule::Any, &RecordTexts::channelLabels, nullptr},
    {SLOT_SHUNTS, "P11-13", "Shunt Types", Rule::LayoutChangesWithNewFeatures,
     &RecordTexts::shuntTypes, nullptr},
    {SLOT_BATT1CAP, "P14", "Battery 1 Capacity", Rule::Any, &RecordTexts::batteryCapacity,
     &RecordTexts::checkCapacity},
    {SLOT_BATT2CAP, "P15", "Battery 2 Capacity", Rule::Any, &RecordTexts::batteryCapacity,
     &RecordTexts::checkCapacity},
    {SLOT_FILTER, "P16", "Filter Time", Rule::Any, &RecordTexts::filterTime, nullptr},
    {SLOT_BATT1ALARMS, "P22-23", "Battery 1 Alarm Enables", Rule::Any, &RecordTexts::alarmEnables,
     nullptr},
    {SLOT_BATT2ALARMS, "P24-25", "Battery 2 Alarm Enables", Rule::Any, &RecordTexts::alarmEnables,
     nullptr},
    {SLOT_BATT1LOW, "P26", "Battery 1 Low Alarm", Rule::Any, &RecordTexts::lowAlarm,
     &RecordTexts::checkLowAlarm},
    {SLOT_BATT1HIGH, "P27", "Battery 1 High Alarm", Rule::Any, &RecordTexts::highAlarm,
     &RecordTexts::checkHighAlarm},
    {SLOT_BATT2LOW, "P28", "Battery 2 Low Alarm", Rule::Any, &RecordTexts::lowAlarm,
     &RecordTexts::checkLowAlarm},
    {SLOT_BATT2HIGH, "P29", "Battery 2 High Alarm", Rule::Any, &RecordTexts::highAlarm,
     &RecordTexts::checkHighAlarm},
    {SLOT_RELAY, "P30-31", "Relay Setpoints", Rule::LayoutChangesWithNewFeatures,
     &RecordTexts::relaySetpoints, &RecordTexts::checkRelaySetpoints},
    {SLOT_BATT1CHARGED, "P32", "Battery 1 Charged Criteria", Rule::Any,
     &RecordTexts::chargeCriteria, &RecordTexts::checkChargeCriteria},
    {SLOT_BATT2CHARGED, "P33", "Battery 2 Charged Criteria", Rule::Any,
     &RecordTexts::chargeCriteria, &RecordTexts::checkChargeCriteria},
    {SLOT_EFFICIENCY, "P34-35", "Efficiency and Self-discharge", Rule::Any,
     &RecordTexts::efficiency, &RecordTexts::checkEfficiency},
    {SLOT_EQUALIZEDAYS, "P36", "Days Between Equalize", Rule::Any, &RecordTexts::alarmInterval,
     &RecordTexts::checkAlarmInterval},
    {SLOT_CHARGEDAYS, "P37", "Days Between Charge", Rule::Any, &RecordTexts::alarmInterval,
     &RecordTexts::checkAlarmInterval},
    {SLOT_PERIODICLOG, "P39-42", "Periodic Logging", Rule::Any, &RecordTexts::periodicLogging,
     nullptr},
    {SLOT_DISCHARGELOG, "P43", "Discharge Profile Logging", Rule::Any,
     &RecordTexts::dischargeProfile, nullptr},
    {SLOT_NETWORK1, "NetA", "Network Addresses", Rule::NewFeaturesOnly, &RecordTexts::networkBlockA,
     nullptr},
    {SLOT_NETWORK2, "NetB", "Network DNS and Port", Rule::NewFeaturesOnly,
     &RecordTexts::networkBlockB, nullptr},
    {SLOT_NETWORK3, "NetC", "Network Name", Rule::NewFeaturesOnly, &RecordTexts::networkBlockC,
     nullptr},
};

const Row* rowOf(int slot)
{
    for (const Row& row : ROWS)
        if (row.slot == slot)
            return &row;
    return nullptr;
}

Kept keptOf(const Row& row)
{
    return {row.slot, QString::fromLatin1(row.tag), QString::fromLatin1(row.name), row.firmware};
}

QString version(float firmware)
{
    return FirmwareVersion::text(firmware);
}

} // namespace

QList<Kept> kept()
{
    const ParameterTable table;
    QList<Kept> records;
    for (int slot = 0; slot < ParameterTable::SLOT_COUNT; ++slot) {
        const Row* row = rowOf(slot);
        if (row && !table.slot(slot).isEmpty())
            records.append(keptOf(*row));
    }
    return records;
}

std::optional<Kept> withTag(QStringView tag)
{
    for (const Row& row : ROWS)
        if (tag.compare(QLatin1String(row.tag), Qt::CaseInsensitive) == 0)
            return keptOf(row);
    return std::nullopt;
}

std::optional<Kept> ofSlot(int slot)
{
    const Row* row = rowOf(slot);
    return row ? std::optional(keptOf(*row)) : std::nullopt;
}

QString readable(const Kept& record, QByteArrayView bytes, float firmwareVersion)
{
    return rowOf(record.slot)->readable(bytes, firmwareVersion);
}

QString check(const Kept& record, QByteArrayView bytes, float firmwareVersion)
{
    const Text check = rowOf(record.slot)->check;
    return check ? check(bytes, firmwareVersion) : QString();
}

bool isOffered(const Kept& record, float unitFirmware)
{
    return record.firmware != Rule::NewFeaturesOnly ||
           ParameterCoding::hasNewFeatures(unitFirmware);
}

QString firmwareNote(const Kept& record, float fileFirmware, float unitFirmware)
{
    if (!isOffered(record, unitFirmware))
        return QStringLiteral("firmware %1 does not offer it").arg(version(unitFirmware));
    const bool sameLayout = record.firmware != Rule::LayoutChangesWithNewFeatures ||
                            ParameterCoding::hasNewFeatures(fileFirmware) ==
                                ParameterCoding::hasNewFeatures(unitFirmware);
    if (sameLayout)
        return {};
    return QStringLiteral("its layout differs between firmware %1 (the file) and %2 (the unit)")
        .arg(version(fileFirmware), version(unitFirmware));
}

} // namespace SettingsRecords
