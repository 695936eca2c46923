#pragma once

#include "display/BatteryStatus.h"
#include "display/EfficiencyTable.h"
#include "link/FirmwareVersion.h"
#include "resources/RgbColor.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// What the unit last said while the display ran, as plain values: what the main window shows
// and what anything else that reports the unit's state reads.
struct UnitSnapshot {
    static constexpr int SLOT_COUNT = 6;

    // One display slot: its item (Settings::slotItems), the item's label, value text and colour, and
    // for a trend the value as a number with its unit ("Volts"), none before a valid reply.
    struct Slot {
        int item = 0;
        QString label;
        QString text;
        RgbColor color{0};
        std::optional<double> value;
        QString unit;
    };

    std::array<Slot, SLOT_COUNT> slots{};
    BatteryStatus status;
    EfficiencyTable efficiency;
    // "3:30 PM": the unit's clock and the PC's at the last clock reply; empty before one.
    QString unitTime;
    QString pcTime;
    // The same clock reading as numbers: the unit's day count and minutes after its midnight;
    // -1 before one.
    int unitDay = -1;
    int unitMinuteOfDay = -1;
    // 0 until the unit has told it.
    float firmwareVersion = 0.0f;
    std::uint16_t battery1Capacity = 0;
    std::uint16_t battery2Capacity = 0;

    QString firmwareText() const { return FirmwareVersion::text(firmwareVersion); }
};
