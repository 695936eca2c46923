#pragma once

#include <QStringView>
#include <optional>

// How the configuration file and the parameter dialogs find the number a text starts with, as
// the C library's conversions read it. Each caller skips its own white space first and has its
// own rule for a number out of range.
namespace LeadingNumber {

bool isDigit(QStringView text, qsizetype at);
// Past an optional '+' or '-' at `at`.
qsizetype skipSign(QStringView text, qsizetype at);
qsizetype skipDigits(QStringView text, qsizetype at);

struct Decimal {
    // Where the sign, the digits and the point end.
    qsizetype mantissaEnd = 0;
    // Where the exponent ends; mantissaEnd when there is no complete exponent.
    qsizetype end = 0;
};

// The decimal number starting at `at`: an optional sign, digits, an optional point and digits
// (at least one digit in all), then an optional exponent. Nothing when no digit comes.
std::optional<Decimal> decimalAt(QStringView text, qsizetype at);

} // namespace LeadingNumber
