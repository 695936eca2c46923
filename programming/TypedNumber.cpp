#include "programming/TypedNumber.h"

#include <QByteArray>
#include <algorithm>
#include <limits>

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool isDigit(QStringView text, qsizetype i)
{
    return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

qsizetype skipSpace(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return i;
}

qsizetype skipSign(QStringView text, qsizetype i)
{
    return i < text.size() && (text[i] == u'+' || text[i] == u'-') ? i + 1 : i;
}

qsizetype skipDigits(QStringView text, qsizetype i)
{
    while (isDigit(text, i))
        ++i;
    return i;
}

// Where the exponent part starting at i ends; i itself when there is no complete exponent.
qsizetype exponentEnd(QStringView text, qsizetype i)
{
    if (i >= text.size() || (text[i] != u'e' && text[i] != u'E'))
        return i;
    const qsizetype digits = skipSign(text, i + 1);
    return isDigit(text, digits) ? skipDigits(text, digits) : i;
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
    i = skipSign(text, i);
    qint64 magnitude = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; isDigit(text, i); ++i)
        magnitude = std::min(limit, magnitude * 10 + (text[i].unicode() - u'0'));
    const qint64 value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

double toDecimal(QStringView text)
{
    const qsizetype start = skipSpace(text);
    const qsizetype integerStart = skipSign(text, start);
    qsizetype end = skipDigits(text, integerStart);
    bool anyDigit = end > integerStart;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return 0.0;
    const qsizetype mantissaEnd = end;
    end = exponentEnd(text, end);
    // Converted without the locale: the point is the decimal separator whatever the desktop says.
    bool inRange = false;
    const double value = text.sliced(start, end - start).toLatin1().toDouble(&inRange);
    if (inRange)
        return value;
    return beyondRange(text, integerStart, mantissaEnd, end);
}

} // namespace TypedNumber
