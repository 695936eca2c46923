#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// P34-35: byte 0 the charge efficiency factor in percent (60..100); bytes 1-2 the battery's
// self-discharge current in hundredths of an amp (0..999), of which the unit uses the low
// 10 bits.
namespace EfficiencyRecord {

inline constexpr int LENGTH = 3;

struct Values {
    int efficiencyPercent = 0;
    int selfDischargeHundredths = 0;
};

Values decode(QByteArrayView record);
QByteArray encode(const Values& values);
// The self-discharge amps as shown, "%.2f".
QString ampsText(int hundredths);

struct Entry {
    QString efficiencyPercent;
    QString selfDischargeAmps;
};

// The first message that refuses the entry, in the dialog's order; empty when it may be written.
QString validate(const Entry& entry);
Values toValues(const Entry& entry);

} // namespace EfficiencyRecord
