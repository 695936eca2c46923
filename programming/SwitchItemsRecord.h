#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>

// P1 to P5: for one position of the unit's display select switch, the live data items the unit
// steps through, one byte per choice: 0 = none, 1..40 = AD1..AD40.
namespace SwitchItemsRecord {

inline constexpr int LENGTH = 5;
inline constexpr int LAST_ITEM = 40;

using Items = std::array<int, LENGTH>;

// A byte naming no item (41 or more) reads as none.
Items decode(QByteArrayView record);
QByteArray encode(const Items& items);

} // namespace SwitchItemsRecord
