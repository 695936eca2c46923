#pragma once

#include <QByteArrayView>
#include <QString>

// The number and text a live item's reply decodes to.
struct DecodedValue {
    float value = 0.0f;
    QString text;
};

// Decodes the reply bytes of a live item by its decode type 1..10 (the unit sends little-endian
// values; most signed ones are shown negated). Missing bytes count as 0; a type outside 1..10
// gives 0 and an empty text. temperatureUnit is the setting of that name (type 10 only).
DecodedValue decodeLiveValue(int decodeType, QByteArrayView reply, int temperatureUnit);

// Keeps the three leading digits of x >= 0 and zeroes the rest, so the current and watt values
// show no more precision than the unit measures: 1234.567 -> 1230, 12.3456 -> 12.3,
// 0.98765 -> 0.988.
double ThreeDigits(double x);
