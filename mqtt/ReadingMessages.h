#pragma once

#include "display/UnitSnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>

class CLiveItemTable;

// What one reading of the unit publishes, from the live item table and the snapshot the
// display's own decoders filled: the state object and the plain value of each item.
//
// The state object: "pc_time" (ISO 8601 with the offset), "unit_day" and "unit_time" ("13:47",
// the unit's clock has a day count, not a date), "firmware", "items" by key ("ad1": label,
// value, unit, text), "status" by key ("b1_low": label, on, alarm), "efficiency" of battery 1.
// A value the unit has not given is null.
class ReadingMessages {
public:
    // Keys of the eleven status rows in the state object, in the rows' order.
    static const QList<QString>& statusKeys();
    // The shortest decimal that reads back as the same 32-bit float: 12.6, not 12.600000381.
    static double shortestDecimal(float value);
    // The number as the display shows it (12.3 for an item whose value is 12.34 shown with one
    // decimal); the value itself where the text is no number ("??").
    static double shownNumber(const QString& text, float value);

    ReadingMessages(const CLiveItemTable& items, const QList<int>& chosen, const UnitSnapshot& said,
                    const QDateTime& pcTime);

    QJsonObject state() const;
    // The item's value as a number; empty when the unit gave none.
    QByteArray itemPayload(int number) const;

private:
    QJsonObject itemsObject() const;
    QJsonObject statusObject() const;
    QJsonObject efficiencyObject() const;

    const CLiveItemTable& items_;
    const QList<int>& chosen_;
    const UnitSnapshot& said_;
    QDateTime pcTime_;
};
