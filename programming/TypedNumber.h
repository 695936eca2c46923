#pragma once

#include <QStringView>

// How the parameter dialogs turn a typed entry into a number before its range test: the leading
// number of the text, and 0 when the text does not start with one.
namespace TypedNumber {

// Optional white space, an optional sign, then the leading decimal digits. Beyond the 32-bit
// range the value stays at the nearest limit.
int toWhole(QStringView text);

// The longest leading decimal number after white space: sign, digits, point, digits, exponent.
double toDecimal(QStringView text);

} // namespace TypedNumber
