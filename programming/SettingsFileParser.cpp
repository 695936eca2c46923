#include "programming/SettingsFileParser.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>

namespace {

QString hexOf(int value)
{
    return QStringLiteral("0x%1").arg(QString::number(value, 16).toUpper().rightJustified(2, u'0'));
}

bool isComment(const QString& line)
{
    return line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#');
}

} // namespace

std::optional<SettingsFile> SettingsFileParser::parse(const QByteArray& text, QStringList& errors)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(text);
    if (utf8.hasError()) {
        errors = {QStringLiteral("The file is not UTF-8 text.")};
        return std::nullopt;
    }
    const QStringList lines = decoded.split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        takeLine(i + 1, lines[i].trimmed());
    if (hasFirmware_)
        checkValues();
    // A fault of the whole file is worth saying only when no line explains it.
    if (errors_.isEmpty() && !hasFirmware_)
        refuse(0, QStringLiteral("The file has no [Unit] section with its Firmware."));
    else if (errors_.isEmpty() && file_.entries.isEmpty())
        refuse(0, QStringLiteral("The file has no [Parameters] section with parameters."));
    std::stable_sort(errors_.begin(), errors_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    errors.clear();
    for (const auto& [number, why] : errors_)
        errors.append(number == 0 ? why : QStringLiteral("line %1: %2").arg(number).arg(why));
    if (!errors.isEmpty())
        return std::nullopt;
    return file_;
}

void SettingsFileParser::takeLine(int number, const QString& line)
{
    if (isComment(line))
        return;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
        takeSection(number, line.mid(1, line.size() - 2).trimmed());
        return;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0) {
        refuse(number, QStringLiteral("expected NAME = VALUE, a [Section] or a comment"));
        return;
    }
    const QString key = line.left(equals).trimmed();
    const QString value = line.mid(equals + 1).trimmed();
    if (section_ == Section::Unit)
        takeUnitKey(number, key, value);
    else if (section_ == Section::Parameters)
        takeParameter(number, key, value);
    else
        refuse(number,
               QStringLiteral("%1 stands outside the [Unit] and [Parameters] sections").arg(key));
}

void SettingsFileParser::takeSection(int number, const QString& name)
{
    const QString lower = name.toLower();
    if (lower != QLatin1String("unit") && lower != QLatin1String("parameters")) {
        refuse(number, QStringLiteral("unknown section [%1]").arg(name));
        section_ = Section::None;
        return;
    }
    if (sectionsSeen_.contains(lower))
        refuse(number, QStringLiteral("a second [%1] section").arg(name));
    sectionsSeen_.insert(lower);
    section_ = lower == QLatin1String("unit") ? Section::Unit : Section::Parameters;
}

void SettingsFileParser::takeUnitKey(int number, const QString& key, const QString& value)
{
    const QString lower = key.toLower();
    if (keysSeen_.contains(lower)) {
        refuse(number, QStringLiteral("%1 is given twice").arg(key));
        return;
    }
    keysSeen_.insert(lower);
    if (lower == QLatin1String("firmware")) {
        bool ok = false;
        file_.firmware = value.toFloat(&ok);
        hasFirmware_ = ok && file_.firmware > 0;
        if (!hasFirmware_)
            refuse(number, QStringLiteral("Firmware must be a version such as 2.5"));
    } else if (lower == QLatin1String("saved")) {
        file_.saved = QDateTime::fromString(value, QString::fromLatin1(DATE_FORMAT));
        if (!file_.saved.isValid())
            refuse(number, QStringLiteral("Saved must be a date and time such as "
                                          "2026-03-14 13:47:25"));
    } else if (lower == QLatin1String("program")) {
        file_.programVersion = value;
    } else {
        refuse(number, QStringLiteral("unknown key %1 in [Unit]").arg(key));
    }
}

void SettingsFileParser::takeParameter(int number, const QString& key, const QString& value)
{
    const QString tag = key.section(u' ', 0, 0);
    const auto record = SettingsRecords::withTag(tag);
    if (!record) {
        refuse(number, QStringLiteral("%1 is not a parameter a settings file keeps").arg(tag));
        return;
    }
    if (keysSeen_.contains(record->tag)) {
        refuse(number, QStringLiteral("%1 is given twice").arg(record->tag));
        return;
    }
    keysSeen_.insert(record->tag);
    const qsizetype bar = value.indexOf(u'|');
    const auto bytes = bytesOf(number, *record, bar < 0 ? value : value.left(bar));
    if (!bytes)
        return;
    file_.entries.append({*record, *bytes, number});
    texts_.append(bar < 0 ? QString() : value.mid(bar + 1).simplified());
}

std::optional<QByteArray>
SettingsFileParser::bytesOf(int number, const SettingsRecords::Kept& record, const QString& hex)
{
    static const QRegularExpression layout(
        QStringLiteral("^\\s*0x([0-9A-Fa-f]{2})\\s*:((?:\\s*[0-9A-Fa-f]{2})*)\\s*$"));
    const QRegularExpressionMatch match = layout.match(hex);
    if (!match.hasMatch()) {
        refuse(number, QStringLiteral("%1: expected 0xADDRESS: followed by bytes as two-digit hex "
                                      "numbers separated by spaces")
                           .arg(record.tag));
        return std::nullopt;
    }
    const ParameterTable table;
    const CProgramData& slot = table.slot(record.slot);
    const int address = match.captured(1).toInt(nullptr, 16);
    const QByteArray bytes = QByteArray::fromHex(match.captured(2).toLatin1());
    if (address != slot.address()) {
        refuse(number, QStringLiteral("%1 is record %2, not %3")
                           .arg(record.tag, hexOf(slot.address()), hexOf(address)));
        return std::nullopt;
    }
    if (bytes.size() != slot.length()) {
        refuse(number, QStringLiteral("%1 has %2 bytes, not %3")
                           .arg(record.tag)
                           .arg(slot.length())
                           .arg(bytes.size()));
        return std::nullopt;
    }
    return bytes;
}

void SettingsFileParser::checkValues()
{
    for (qsizetype i = 0; i < file_.entries.size(); ++i) {
        const SettingsFile::Entry& entry = file_.entries[i];
        const QString reads = SettingsRecords::readable(entry.record, entry.bytes, file_.firmware);
        if (!texts_[i].isEmpty() && texts_[i] != reads.simplified())
            refuse(entry.line, QStringLiteral("%1: the bytes read \"%2\", not \"%3\"; a restore "
                                              "writes the bytes, so edit them, or delete the "
                                              "text after |")
                                   .arg(entry.record.tag, reads, texts_[i]));
        const QString refused = SettingsRecords::check(entry.record, entry.bytes, file_.firmware);
        if (!refused.isEmpty())
            refuse(entry.line, QStringLiteral("%1: %2").arg(entry.record.title(), refused));
    }
}

void SettingsFileParser::refuse(int number, const QString& why)
{
    errors_.append({number, why});
}
