#include "config/PrivateProfile.h"

#include "config/IniDocument.h"

#include <QLocale>
#include <utility>

namespace {

QString withoutEnclosingQuotes(const QString& value)
{
    if (value.size() < 2)
        return value;
    const QChar first = value.front();
    if ((first == u'"' || first == u'\'') && value.back() == first)
        return value.sliced(1, value.size() - 2);
    return value;
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

bool isDigit(QStringView text, qsizetype at)
{
    return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
}

bool isSign(QStringView text, qsizetype at)
{
    return at < text.size() && (text[at] == u'+' || text[at] == u'-');
}

qsizetype skipDigits(QStringView text, qsizetype at)
{
    while (isDigit(text, at))
        ++at;
    return at;
}

// Length of the exponent part starting at "at", or 0 when there is no complete one.
qsizetype exponentLength(QStringView text, qsizetype at)
{
    if (at >= text.size() || (text[at] != u'e' && text[at] != u'E'))
        return 0;
    qsizetype end = at + 1;
    if (isSign(text, end))
        ++end;
    if (!isDigit(text, end))
        return 0;
    return skipDigits(text, end) - at;
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
    return static_cast<float>(parseDouble(readString(key, QString())));
}

void PrivateProfile::writeString(const QString& key, const QString& value)
{
    document_.setValue(section_, key, value);
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
    if (isSign(text, at))
        ++at;
    quint32 magnitude = 0;
    for (; isDigit(text, at); ++at)
        magnitude = magnitude * 10u + static_cast<quint32>(text[at].unicode() - u'0');
    return static_cast<qint32>(negative ? 0u - magnitude : magnitude);
}

double PrivateProfile::parseDouble(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && text[begin].isSpace())
        ++begin;
    qsizetype at = begin;
    if (isSign(text, at))
        ++at;
    const qsizetype integerEnd = skipDigits(text, at);
    qsizetype end = integerEnd;
    if (end < text.size() && text[end] == u'.')
        end = skipDigits(text, end + 1);
    const bool hasDigits = integerEnd > at || end > integerEnd + 1;
    if (!hasDigits)
        return 0.0;
    end += exponentLength(text, end);
    return QLocale::c().toDouble(text.sliced(begin, end - begin));
}

QString PrivateProfile::rawValue(const QString& key) const
{
    return withoutEnclosingQuotes(document_.value(section_, key).value_or(QString()));
}
