#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// P30-31: the relay's turn-ON setpoint (bytes 0-1 voltage, byte 2 percent full) and turn-OFF
// setpoint (bytes 3-4, byte 5). A percent of 0 is not used; 100 lets the charged criteria of P32
// decide (firmware 2.0 and later). The record does not store the relay's sense: ON at or below
// OFF is "Normal", ON above OFF "Reversed".
//
// The dialog shows the lower setpoint in its left column ("less than or equal") and the higher
// in its right column ("greater than or equal").
namespace RelaySetpointsRecord {

inline constexpr int LENGTH = 6;
inline constexpr int CHARGE_CRITERIA_PERCENT = 100;

struct Setpoint {
    int tenths = 0;
    int percent = 0;
};

struct Values {
    Setpoint on;
    Setpoint off;
};

Values decode(QByteArrayView record);
QByteArray encode(const Values& values);
bool isReversed(const Values& values);

// Which radio button of a column is checked.
enum class PercentUse { Percent, NotUsed, ChargeCriteria };

struct Column {
    int tenths = 0;
    PercentUse use = PercentUse::NotUsed;
    // Shown only with PercentUse::Percent.
    int percent = 0;
};

struct View {
    bool reversed = false;
    Column left;
    Column right;
};

// How the dialog shows a record read from a unit with the given firmware.
View view(const Values& values, float firmwareVersion);

struct ColumnEntry {
    QString volts;
    QString percent;
    PercentUse use = PercentUse::NotUsed;
};

struct Entry {
    bool reversed = false;
    ColumnEntry left;
    ColumnEntry right;
};

// The first message that refuses the entry, in the dialog's order; empty when it may be written.
QString validate(const Entry& entry);
// The setpoints of an entry that passed validation. Only the right column can give 100.
Values toValues(const Entry& entry);

} // namespace RelaySetpointsRecord
