#include "display/CNotesLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// Older files are single-byte text; a file written by us holds UTF-8 only when a character
// would not fit one byte.
QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QByteArray encode(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0x7F)
            return text.toUtf8();
    return text.toLatin1();
}

} // namespace

CNotesLog::CNotesLog(QString applicationFolder) : applicationFolder_(std::move(applicationFolder))
{}

QString CNotesLog::path() const
{
    return QDir(applicationFolder_).filePath(QString::fromLatin1(FileName));
}

bool CNotesLog::load(const QString& programFolder, QString& text)
{
    const QString oldPath = QDir(programFolder).filePath(QString::fromLatin1(FileName));
    if (!QFile::exists(path()) && QFile::exists(oldPath))
        QFile::rename(oldPath, path());

    QFile file(path());
    if (!file.open(QIODevice::ReadWrite))
        return fail(file.errorString());
    text = decode(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return true;
}

bool CNotesLog::save(const QString& text)
{
    if (text.isEmpty())
        return true;
    QString stored = text;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(u'\n', QStringLiteral("\r\n"));

    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    file.write(encode(stored));
    // A full disk can surface only at the flush; then the old notes must stay.
    if (!file.flush()) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    return file.commit() || fail(file.errorString());
}

QString CNotesLog::withNewEntry(const QString& text, const QDate& today)
{
    QString extended = text;
    if (!extended.isEmpty() && !extended.endsWith(u'\n'))
        extended += u'\n';
    return extended + QStringLiteral("============\n") +
           QLocale::c().toString(today, QStringLiteral("MMM dd, yyyy")) + QStringLiteral("\n- ");
}

bool CNotesLog::fail(const QString& reason)
{
    errorText_ = QStringLiteral("%1:\n%2").arg(QDir::toNativeSeparators(path()), reason);
    return false;
}
