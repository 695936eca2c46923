#include "programming/TypedNumber.h"

#include "config/LeadingNumber.h"

#include <QByteArray>
#include <algorithm>
#include <limits>

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

qsizetype skipSpace(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return i;
}

// A well-formed number that a double cannot hold: too large gives an infinity of its sign, too
// small gives 0, as the C conversion does.
double beyondRange(QStringView text, qsizetype mantissaStart, qsizetype mantissaEnd, qsizetype end)
{
    const bool negativeExponent = mantissaEnd + 1 < end && text[mantissaEnd + 1] == u'-';
    if (negativeExponent)
        return 0.0;
    const bool negative = mantissaStart > 0 && text[mantissaStart - 1] == u'-';
    const double infinity = std::numeric_limits<double>::infinity();
    return negative ? -infinity : infinity;
}

} // namespace

namespace TypedNumber {

int toWhole(QStringView text)
{
    qsizetype i = skipSpace(text);
    const bool negative = i < text.size() && text[i] == u'-';
    i = LeadingNumber::skipSign(text, i);
    qint64 magnitude = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; LeadingNumber::isDigit(text, i); ++i)
        magnitude = std::min(limit, magnitude * 10 + (text[i].unicode() - u'0'));
    const qint64 value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

double toDecimal(QStringView text)
{
    const qsizetype start = skipSpace(text);
    const std::optional<LeadingNumber::Decimal> number = LeadingNumber::decimalAt(text, start);
    if (!number)
        return 0.0;
    // Converted without the locale: the point is the decimal separator whatever the desktop says.
    bool inRange = false;
    const double value = text.sliced(start, number->end - start).toLatin1().toDouble(&inRange);
    if (inRange)
        return value;
    return beyondRange(text, LeadingNumber::skipSign(text, start), number->mantissaEnd,
                       number->end);
}

} // namespace TypedNumber
