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

std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = trimmedProfileText(line);
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    const qsizetype end = close < 0 ? trimmed.size() : close;
    return trimmedProfileText(QStringView(trimmed).sliced(1, end - 1));
}

// The key of a line of a section, or nothing when the line holds none.
std::optional<QString> keyOf(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return trimmedProfileText(QStringView(line).first(equals));
}

QString valueOf(const QString& line)
{
    return trimmedProfileText(QStringView(line).sliced(line.indexOf(u'=') + 1));
}

} // namespace

void IniDocument::Block::append(const QString& line)
{
    if (const std::optional<QString> key = keyOf(line); key && !keys.contains(key->toCaseFolded()))
        keys.insert(key->toCaseFolded(), lines.size());
    lines.append(line);
    if (!isBlank(line))
        contentEnd = lines.size();
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument document;
    for (const QString& line : splitLines(decodeText(bytes))) {
        if (const std::optional<QString> name = sectionName(line)) {
            if (!document.sections_.contains(name->toCaseFolded()))
                document.sections_.insert(name->toCaseFolded(), document.blocks_.size());
            document.blocks_.push_back(Block{line, {}, {}, 0});
        } else {
            if (document.blocks_.empty())
                document.blocks_.emplace_back();
            document.blocks_.back().append(line);
        }
    }
    return document;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    const auto appendLine = [&bytes](const QString& line) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    };
    for (const Block& block : blocks_) {
        if (block.header)
            appendLine(*block.header);
        for (const QString& line : block.lines)
            appendLine(line);
    }
    return bytes;
}

bool IniDocument::isEmpty() const
{
    return blocks_.empty() ||
           (blocks_.size() == 1 && !blocks_.front().header && blocks_.front().lines.isEmpty());
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const Block* block = findSection(section);
    if (block == nullptr)
        return std::nullopt;
    const auto line = block->keys.constFind(key.toCaseFolded());
    if (line == block->keys.constEnd())
        return std::nullopt;
    return valueOf(block->lines[*line]);
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    Block& block = sectionForWriting(section);
    const auto line = block.keys.constFind(key.toCaseFolded());
    if (line != block.keys.constEnd()) {
        QString& text = block.lines[*line];
        text = *keyOf(text) + u'=' + singleLine(value);
        return;
    }
    // Only blank lines follow the insertion point, so no key moves.
    block.keys.insert(key.toCaseFolded(), block.contentEnd);
    block.lines.insert(block.contentEnd, key + u'=' + singleLine(value));
    ++block.contentEnd;
}

const IniDocument::Block* IniDocument::findSection(const QString& section) const
{
    const auto found = sections_.constFind(section.toCaseFolded());
    return found == sections_.constEnd() ? nullptr : &blocks_[*found];
}

IniDocument::Block& IniDocument::sectionForWriting(const QString& section)
{
    const QString name = section.toCaseFolded();
    if (const auto found = sections_.constFind(name); found != sections_.constEnd())
        return blocks_[*found];
    if (!blocks_.empty()) {
        // A header is never blank, so a section without lines gets its blank line too.
        QStringList& lines = blocks_.back().lines;
        if (lines.isEmpty() || !isBlank(lines.last()))
            lines.append(QString());
    }
    sections_.insert(name, blocks_.size());
    blocks_.push_back(Block{u'[' + section + u']', {}, {}, 0});
    return blocks_.back();
}
