#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// P36 and P37: the days (0..250) after which the unit alarms when a battery has not been
// equalized, or has not reached its charged criteria. One byte; both batteries share it.
namespace AlarmIntervalRecord {

inline constexpr int LENGTH = 1;

int decode(QByteArrayView record);
QByteArray encode(int days);

// The message that refuses the typed days, or empty when they may be written.
QString validate(const QString& days);
int toDays(const QString& days);

} // namespace AlarmIntervalRecord
