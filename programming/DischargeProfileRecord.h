#pragma once

#include <QByteArray>
#include <QByteArrayView>

// P43, the battery discharge profile log (1 byte): bit 7 set records at every 5% change of
// charge, clear at every 10%; bit 5 records battery 1, bit 6 battery 2. Bits 0-4 belong to the
// unit and go back as read, also when a battery is turned off.
namespace DischargeProfileRecord {

inline constexpr int LENGTH = 1;

struct Values {
    bool everyFivePercent = false;
    bool battery1 = false;
    bool battery2 = false;
};

Values decode(QByteArrayView record);
QByteArray encode(const Values& values, QByteArrayView recordRead);

} // namespace DischargeProfileRecord
