#include "config/IniDocument.h"

#include <QStringDecoder>
#include <QStringView>

namespace {

bool isProfileSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QString trimmedProfileText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isProfileSpace(text[begin]))
        ++begin;
    while (end > begin && isProfileSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder drops a leading byte order mark, which would otherwise become part of the
    // first section header.
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QStringList splitLines(const QString& text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isBlank(const QString& line)
{
    return trimmedProfileText(line).isEmpty();
}

// A value must stay on its own line, or the rest of it would turn into keys of its own.
QString singleLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument document;
    document.lines_ = splitLines(decodeText(bytes));
    return document;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    for (const QString& line : lines_) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    return entry(lines_[line])->value;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    qsizetype header = findSection(section);
    if (header < 0) {
        if (!lines_.isEmpty() && !isBlank(lines_.last()))
            lines_.append(QString());
        lines_.append(u'[' + section + u']');
        header = lines_.size() - 1;
    }
    const qsizetype line = findKey(header, key);
    if (line >= 0)
        lines_[line] = entry(lines_[line])->key + u'=' + singleLine(value);
    else
        lines_.insert(insertionPoint(header), key + u'=' + singleLine(value));
}

std::optional<QString> IniDocument::sectionName(const QString& line)
{
    const QString trimmed = trimmedProfileText(line);
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    const qsizetype end = close < 0 ? trimmed.size() : close;
    return trimmedProfileText(QStringView(trimmed).sliced(1, end - 1));
}

std::optional<IniDocument::Entry> IniDocument::entry(const QString& line)
{
    if (sectionName(line))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const QStringView text(line);
    return Entry{trimmedProfileText(text.first(equals)),
                 trimmedProfileText(text.sliced(equals + 1))};
}

qsizetype IniDocument::findSection(const QString& section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const std::optional<QString> name = sectionName(lines_[i]);
        if (name && name->compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype headerLine) const
{
    qsizetype i = headerLine + 1;
    while (i < lines_.size() && !sectionName(lines_[i]))
        ++i;
    return i;
}

qsizetype IniDocument::findKey(qsizetype headerLine, const QString& key) const
{
    const qsizetype end = sectionEnd(headerLine);
    for (qsizetype i = headerLine + 1; i < end; ++i) {
        const std::optional<Entry> found = entry(lines_[i]);
        if (found && found->key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// New keys go after the last non-blank line of the section, so blank lines that separate it
// from the next section stay where they are.
qsizetype IniDocument::insertionPoint(qsizetype headerLine) const
{
    qsizetype last = headerLine;
    const qsizetype end = sectionEnd(headerLine);
    for (qsizetype i = headerLine + 1; i < end; ++i) {
        if (!isBlank(lines_[i]))
            last = i;
    }
    return last + 1;
}
