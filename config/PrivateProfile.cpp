#include "config/PrivateProfile.h"

#include "config/IniDocument.h"
#include "config/LeadingNumber.h"

#include <QLocale>
#include <algorithm>
#include <cfloat>
#include <utility>

namespace {

bool isEnclosedInQuotes(const QString& value)
{
    if (value.size() < 2)
        return false;
    const QChar first = value.front();
    return (first == u'"' || first == u'\'') && value.back() == first;
}

QString withoutEnclosingQuotes(const QString& value)
{
    return isEnclosedInQuotes(value) ? value.sliced(1, value.size() - 2) : value;
}

QString cutToBuffer(const QString& value, int maxChars)
{
    if (value.size() <= maxChars)
        return value;
    qsizetype size = maxChars;
    // Never keep half of a character that takes two UTF-16 units.
    if (size > 0 && value[size - 1].isHighSurrogate())
        --size;
    return value.first(size);
}

} // namespace

PrivateProfile::PrivateProfile(IniDocument& document, QString section)
    : document_(document), section_(std::move(section))
{}

bool PrivateProfile::contains(const QString& key) const
{
    return document_.value(section_, key).has_value();
}

QString PrivateProfile::readString(const QString& key, const QString& defaultValue,
                                   int maxChars) const
{
    return cutToBuffer(contains(key) ? rawValue(key) : defaultValue, maxChars);
}

int PrivateProfile::readInt(const QString& key, int defaultValue) const
{
    const QString value = rawValue(key);
    return value.isEmpty() ? defaultValue : parseInt(value);
}

float PrivateProfile::readFloat(const QString& key, float defaultValue) const
{
    if (!contains(key))
        return defaultValue;
    // A number beyond a float's range would read as infinite, be written as "inf" and read
    // back as 0 at the next start.
    const double value = parseDouble(readString(key, QString()));
    return static_cast<float>(std::clamp(value, double(-FLT_MAX), double(FLT_MAX)));
}

void PrivateProfile::writeString(const QString& key, const QString& value)
{
    // Reading trims white space and drops one pair of enclosing quotes, so a text that starts or
    // ends with either is written in quotes; otherwise it would lose them at the next start.
    const bool quoted = !value.isEmpty() && (isEnclosedInQuotes(value) || value.front().isSpace() ||
                                             value.back().isSpace());
    document_.setValue(section_, key, quoted ? u'"' + value + u'"' : value);
}

void PrivateProfile::writeInt(const QString& key, qint32 value)
{
    writeString(key, QString::number(value));
}

void PrivateProfile::writeFloat(const QString& key, float value)
{
    writeString(key, QString::asprintf("%.1f", static_cast<double>(value)));
}

qint32 PrivateProfile::parseInt(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].unicode() <= u' ')
        ++at;
    const bool negative = at < text.size() && text[at] == u'-';
    at = LeadingNumber::skipSign(text, at);
    quint32 magnitude = 0;
    for (; LeadingNumber::isDigit(text, at); ++at)
        magnitude = magnitude * 10u + static_cast<quint32>(text[at].unicode() - u'0');
    return static_cast<qint32>(negative ? 0u - magnitude : magnitude);
}

double PrivateProfile::parseDouble(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && text[begin].isSpace())
        ++begin;
    const std::optional<LeadingNumber::Decimal> number = LeadingNumber::decimalAt(text, begin);
    if (!number)
        return 0.0;
    return QLocale::c().toDouble(text.sliced(begin, number->end - begin));
}

QString PrivateProfile::rawValue(const QString& key) const
{
    return withoutEnclosingQuotes(document_.value(section_, key).value_or(QString()));
}
