#include "config/LeadingNumber.h"

namespace LeadingNumber {

bool isDigit(QStringView text, qsizetype at)
{
    return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
}

qsizetype skipSign(QStringView text, qsizetype at)
{
    return at < text.size() && (text[at] == u'+' || text[at] == u'-') ? at + 1 : at;
}

qsizetype skipDigits(QStringView text, qsizetype at)
{
    while (isDigit(text, at))
        ++at;
    return at;
}

namespace {

// Where the exponent part starting at `at` ends; `at` itself when there is no complete exponent.
qsizetype exponentEnd(QStringView text, qsizetype at)
{
    if (at >= text.size() || (text[at] != u'e' && text[at] != u'E'))
        return at;
    const qsizetype digits = skipSign(text, at + 1);
    return isDigit(text, digits) ? skipDigits(text, digits) : at;
}

} // namespace

std::optional<Decimal> decimalAt(QStringView text, qsizetype at)
{
    const qsizetype integerStart = skipSign(text, at);
    const qsizetype integerEnd = skipDigits(text, integerStart);
    qsizetype end = integerEnd;
    if (end < text.size() && text[end] == u'.')
        end = skipDigits(text, end + 1);
    const bool hasDigits = integerEnd > integerStart || end > integerEnd + 1;
    if (!hasDigits)
        return std::nullopt;
    return Decimal{end, exponentEnd(text, end)};
}

} // namespace LeadingNumber
