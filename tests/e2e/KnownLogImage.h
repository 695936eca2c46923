#pragma once

#include "simulator/MemoryImage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A unit whose logs were written byte by byte from the log layouts, and the data files a
// download of it must give, worked out by hand from the same layouts:
// - the periodic log holds two records of Ahr 1, temperature, Volts 1 and battery state in
//   block 0 and one record of Amps 1 and Volts 2 in block 1 (not wrapped);
// - battery 1's efficiency log holds three cycles (newest index 2, not wrapped), with counter B
//   rolling over; battery 2's log is empty (newest index 0);
// - the discharge profile holds entries 1 to 3 of block 0: two of battery 1, one of battery 2.
// The unit's clock reads day 10, 09:30 while the PC's reads 03/15/2026 09:30:27 UTC, so its
// day 0 began at 03/05/2026 00:00:27.
namespace KnownLogImage {

inline constexpr int ClockDay = 10;
inline constexpr int ClockMinuteOfDay = 9 * 60 + 30;

MemoryImage image();
// 03/15/2026 09:30:27 UTC.
QDateTime pcTime();

inline const QString BaseName = QStringLiteral("CW_Mar_15_2026");

// "All Data", charged flags as 0 and 1, both batteries with a capacity.
QByteArray periodicAllColumns();
// "Selected Data Only" (the first record's items), charged flags as 0 and 100.
QByteArray periodicSelectedColumns();
QByteArray battery1Efficiency();
QByteArray battery2Efficiency();
QByteArray battery1DischargeProfile();
QByteArray battery2DischargeProfile();

// The summary for the base path: 3 periodic, 3 + 1 efficiency, 2 + 1 discharge-profile records.
QString summary(const QString& basePath);

} // namespace KnownLogImage
