#include "programming/ParameterTable.h"

#include "link/RecordMap.h"

namespace {

struct SlotRow {
    ParameterSlot slot;
    UnitRecord record;
    std::uint16_t titleId;
    const char* subject;
};

// 599 is the title "P-X" of the dialogs whose header is fixed.
constexpr std::uint16_t FIXED_TITLE = 599;

// In the order the table is filled.
constexpr SlotRow ROWS[] = {
    {SLOT_SWITCH1, {0xFF, 5}, 600, "1"},
    {SLOT_SWITCH2, {0xFE, 5}, 601, "2"},
    {SLOT_SWITCH3, {0xFD, 5}, 602, "3"},
    {SLOT_SWITCH4, {0xFC, 5}, 603, "4"},
    {SLOT_SWITCH5, {0xFB, 5}, 604, "5"},
    {SLOT_LABELS, RecordMap::ChannelNames, 605, ""},
    {SLOT_SHUNTS, RecordMap::ShuntTypes, 606, ""},
    {SLOT_BATT1CAP, RecordMap::Battery1Capacity, 607, "1"},
    {SLOT_BATT2CAP, RecordMap::Battery2Capacity, 608, "2"},
    {SLOT_FILTER, {0xF3, 1}, FIXED_TITLE, ""},
    {SLOT_CHARGECONTROL, {0xF0, 7}, FIXED_TITLE, ""},
    {SLOT_BATT1ALARMS, {0xCE, 2}, 611, "1"},
    {SLOT_BATT2ALARMS, {0xCD, 2}, 612, "2"},
    {SLOT_BATT1LOW, {0xEC, 3}, 613, "1"},
    {SLOT_BATT1HIGH, {0xEA, 3}, 614, "1"},
    {SLOT_BATT2LOW, {0xEB, 3}, 615, "2"},
    {SLOT_BATT2HIGH, {0xE9, 3}, 616, "2"},
    {SLOT_RELAY, {0xD4, 6}, FIXED_TITLE, ""},
    {SLOT_BATT1CHARGED, {0xE8, 3}, 618, "1"},
    {SLOT_BATT2CHARGED, {0xE7, 3}, 619, "2"},
    {SLOT_EFFICIENCY, {0xE5, 3}, FIXED_TITLE, ""},
    {SLOT_EQUALIZEDAYS, {0xE3, 1}, 621, "has not been Equalized"},
    {SLOT_CHARGEDAYS, {0xE2, 1}, 622, "does not reach Charged Criteria"},
    {SLOT_CLOCKDAY, RecordMap::ClockDay, FIXED_TITLE, ""},
    {SLOT_CLOCKMINUTE, RecordMap::ClockMinute, FIXED_TITLE, ""},
    {SLOT_PERIODICLOG, {0xD0, 12}, FIXED_TITLE, ""},
    {SLOT_DISCHARGELOG, {0xD1, 1}, FIXED_TITLE, ""},
    {SLOT_COMMAND, RecordMap::Command, FIXED_TITLE, ""},
    {SLOT_NETWORK1, {0x90, 14}, FIXED_TITLE, ""},
    {SLOT_NETWORK2, {0x91, 6}, FIXED_TITLE, ""},
    {SLOT_NETWORK3, {0x92, 16}, FIXED_TITLE, ""},
    {SLOT_NETWORK4, {0x93, 16}, FIXED_TITLE, ""},
};

} // namespace

ParameterTable::ParameterTable()
{
    for (std::size_t i = 0; i < slots_.size(); ++i)
        slots_[i] = CProgramData(static_cast<std::uint16_t>(i), 0, 0, 0, QString());
    for (const SlotRow& row : ROWS)
        slot(row.slot) = CProgramData(static_cast<std::uint16_t>(row.slot), row.record.address,
                                      static_cast<std::uint16_t>(row.record.length), row.titleId,
                                      QString::fromLatin1(row.subject));
}
