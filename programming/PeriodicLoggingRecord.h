#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// P39-42, what the unit records in its periodic log and when (12 bytes):
//   byte 0      the recording interval code
//   byte 1      bits 0-2 the 3-hour block of the time of day the recording is aligned to
//   byte 3      the minute within that block
//   byte 10     recorded items: AHr 1, AHr 2, AHr 3, WHr 1, WHr 2, Temp, Filt Volts 1,
//               Filt Amps 1 (bits 0 to 7)
//   byte 11     bit 0 Filt Volts 2, bit 1 % Full of both batteries; bits 2-7 written as 0
// Byte 2, bytes 4-9 and bits 3-7 of byte 1 belong to the unit and go back as read.
namespace PeriodicLoggingRecord {

inline constexpr int LENGTH = 12;

// The ten recorded items, one bit each of the 16-bit value byte 10 + 256 * byte 11, in the
// order of the dialog's check boxes.
enum Item : int {
    ITEM_AHR1 = 0x001,
    ITEM_AHR2 = 0x002,
    ITEM_AHR3 = 0x004,
    ITEM_WHR1 = 0x008,
    ITEM_WHR2 = 0x010,
    ITEM_FILTVOLTS1 = 0x040,
    ITEM_FILTAMPS1 = 0x080,
    ITEM_FILTVOLTS2 = 0x100,
    ITEM_PERCENTFULL = 0x200,
    ITEM_TEMP = 0x020,
};
inline constexpr int ITEM_COUNT = 10;
Item itemAt(int checkBox);
QString itemText(int checkBox);

// The interval list: 14 entries from "1 min" to "24 hr".
inline constexpr int INTERVAL_COUNT = 14;
QString intervalText(int entry);
int intervalCode(int entry);
int recordsPerDay(int entry);

struct Values {
    int items = 0;
    // No selection when the unit's code is none of the list's.
    std::optional<int> interval;
    int minuteOfDay = 0;
};

Values decode(QByteArrayView record);
// Without an interval selected the code read goes back.
QByteArray encode(const Values& values, QByteArrayView recordRead);

// How many days of records the log memory holds with these items at this interval; none without
// an interval.
std::optional<float> capacityDays(int items, std::optional<int> interval);
// The "Data Capacity:" read-out.
QString capacityText(int items, std::optional<int> interval);

} // namespace PeriodicLoggingRecord
