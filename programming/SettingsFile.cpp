#include "programming/SettingsFile.h"

#include "link/FirmwareVersion.h"
#include "programming/SettingsFileParser.h"

#include <QFile>
#include <QSaveFile>

namespace {

const char* const PREAMBLE =
    "; Gorvane unit settings: one line per parameter record of the unit,\n"
    ";   NAME = 0xADDRESS: BYTES | how the bytes read\n"
    "; A restore writes the bytes; the text after | shows how they read, and a file whose text\n"
    "; does not match its bytes is refused. Lines starting with ; or # are comments.\n";

} // namespace

QString SettingsFile::addressAndBytes(const Entry& entry)
{
    const ParameterTable table;
    const QString address =
        QStringLiteral("%1").arg(table.slot(entry.record.slot).address(), 2, 16, QChar(u'0'));
    return QStringLiteral("0x%1: %2")
        .arg(address.toUpper(), QString::fromLatin1(entry.bytes.toHex(' ').toUpper()));
}

QString SettingsFile::entryLine(const Entry& entry, float firmware, int keyWidth)
{
    return QStringLiteral("%1 = %2 | %3")
        .arg(entry.record.title().leftJustified(keyWidth), addressAndBytes(entry),
             SettingsRecords::readable(entry.record, entry.bytes, firmware));
}

QByteArray SettingsFile::toText() const
{
    qsizetype keyWidth = 0;
    for (const Entry& entry : entries)
        keyWidth = std::max(keyWidth, entry.record.title().size());
    QString text = QString::fromLatin1(PREAMBLE);
    text += QStringLiteral("\n[Unit]\nFirmware = %1\nSaved = %2\nProgram = %3\n\n[Parameters]\n")
                .arg(FirmwareVersion::text(firmware),
                     saved.toString(QString::fromLatin1(SettingsFileParser::DATE_FORMAT)),
                     programVersion);
    for (const Entry& entry : entries)
        text += entryLine(entry, firmware, static_cast<int>(keyWidth)) + u'\n';
    return text.toUtf8();
}

std::optional<SettingsFile> SettingsFile::parse(const QByteArray& text, QStringList& errors)
{
    return SettingsFileParser().parse(text, errors);
}

bool SettingsFile::writeTo(const QString& path, QString& error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray text = toText();
        if (file.write(text) == text.size() && file.commit())
            return true;
    }
    error = QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return false;
}

std::optional<SettingsFile> SettingsFile::readFrom(const QString& path, QStringList& errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors = {QStringLiteral("Could not open %1: %2").arg(path, file.errorString())};
        return std::nullopt;
    }
    if (file.size() > MAX_FILE_BYTES) {
        errors = {QStringLiteral("%1 is too large to be a settings file.").arg(path)};
        return std::nullopt;
    }
    return parse(file.readAll(), errors);
}
