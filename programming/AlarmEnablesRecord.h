#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// P22-23 and P24-25: five alarms of one battery, each a 2-bit code 0 "OFF", 1 "ON VISUAL ONLY",
// 2 "ON VISUAL/AUDIBLE". Byte 0 holds Lo Batt (bits 0-1), Batt Charged (2-3), Hi Batt (4-5)
// and days since charged (6-7); byte 1 bits 0-1 days since equalized.
namespace AlarmEnablesRecord {

inline constexpr int LENGTH = 2;

// In the order of the dialog's lists.
enum Alarm : int {
    ALARM_LOBATT = 0,
    ALARM_HIBATT,
    ALARM_CHARGED,
    ALARM_DAYSCHARGED,
    ALARM_DAYSEQUALIZED,
    ALARM_COUNT
};

// The caption of each alarm's list ("Lo Batt:" ...).
QString caption(Alarm alarm);
// "OFF", "ON VISUAL ONLY", "ON VISUAL/AUDIBLE".
QStringList choiceTexts();

using Values = std::array<std::optional<int>, ALARM_COUNT>;

// Code 3 shows as "ON VISUAL/AUDIBLE", except for Lo Batt, which then has no selection.
Values decode(QByteArrayView record);
// An alarm without a selection writes the code read; byte 1 bits 2-7 are written as 0.
QByteArray encode(const Values& values, QByteArrayView recordRead);

} // namespace AlarmEnablesRecord
