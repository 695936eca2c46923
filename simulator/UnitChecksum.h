#pragma once

#include <QByteArrayView>

// The unit's checksum: the byte that makes the 8-bit sum of a whole frame or reply 0xFF.
class UnitChecksum {
public:
    // The checksum byte to append after bytes.
    static quint8 over(QByteArrayView bytes);
    // True when bytes, their last byte being the checksum, sum to 0xFF.
    static bool holds(QByteArrayView bytes);
};
