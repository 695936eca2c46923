#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <optional>

// P16: the averaging time of the unit's averaged amps and volts items, one byte, code 0..3.
namespace FilterTimeRecord {

inline constexpr int LENGTH = 1;

// "0", "0.5", "2.0", "8.0" minutes; the code is the entry's position.
QStringList texts();

// No selection for a code beyond the list.
std::optional<int> decode(QByteArrayView record);
// Without a selection the code read goes back.
QByteArray encode(std::optional<int> choice, QByteArrayView recordRead);

} // namespace FilterTimeRecord
