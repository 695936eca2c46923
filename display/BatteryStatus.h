#pragma once

#include "resources/RgbColor.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// One row of the battery status panel as the window shows it.
struct StatusRow {
    QString text = QStringLiteral("- - -");
    bool enabled = true;
    RgbColor textColor{0};
    // Empty: the platform's button-face colour, as the field starts.
    std::optional<RgbColor> background;

    friend bool operator==(const StatusRow&, const StatusRow&) = default;
};

// The status flags (record 0x25) and alarm states (record 0xCE) of both batteries, and the
// eleven status rows they make: battery 1 low, charged, high, time to charge, time to equalise,
// relay on, then battery 2 low, charged, high, time to charge, time to equalise.
class BatteryStatus {
public:
    static constexpr int ROW_COUNT = 11;
    // The relay has no alarm state of its own in the unit's record.
    static constexpr int RELAY_ROW = 5;

    // "Battery %1 Status" of battery 1 or 2, and the text of a row whose alarm is off.
    static QString title(int battery);
    static QString alarmOffText();

    // Two bytes of record 0x25.
    void applyFlags(QByteArrayView reply);
    // Four bytes of record 0xCE; a state of 3 counts as 2.
    void applyAlarmStates(QByteArrayView reply);
    // Rewrites the rows from the flags and alarm states; a row whose alarm is off keeps its
    // colours.
    void refreshRows();

    bool flag(int row) const { return flags_[static_cast<std::size_t>(row)] != 0; }
    int alarmState(int row) const { return alarmStates_[static_cast<std::size_t>(row)]; }
    const StatusRow& row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

private:
    std::array<std::uint8_t, ROW_COUNT> flags_{};
    std::array<std::uint8_t, ROW_COUNT> alarmStates_{};
    std::array<StatusRow, ROW_COUNT> rows_{};
};
