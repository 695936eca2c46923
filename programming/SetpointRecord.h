#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The battery setpoint records: a voltage in bytes 0-1 and one more byte.
// P26/P28 low alarm: byte 2 is the percent full below which the alarm sounds.
// P32/P33 charged criteria: byte 2 is the charging amps below which the battery counts charged.
// P27/P29 high alarm: byte 2 is not the program's and goes back as read.
// Byte 2 of 1..98 is a criterion; 0 and 99 or more read as not used.
namespace SetpointRecord {

inline constexpr int LENGTH = 3;

struct Values {
    int tenths = 0;
    std::optional<int> criterion;
};

Values decode(QByteArrayView record);
// Low alarm and charged criteria: the criterion, or 0 when it is not used.
QByteArray encode(const Values& values);
// High alarm: the voltage; byte 2 as read.
QByteArray encodeHighAlarm(int tenths, QByteArrayView recordRead);

// What the dialog collected: the two edits and the "Don't use" box.
struct Entry {
    QString volts;
    QString criterion;
    bool criterionUnused = false;
};

// The first message that refuses the entry, in the dialog's order; empty when it may be written.
QString validateLowAlarm(const Entry& entry);
QString validateChargeCriteria(const Entry& entry);
QString validateHighAlarm(const QString& volts);

// The values of an entry that passed its validation.
Values toValues(const Entry& entry);

} // namespace SetpointRecord
