#include "logged/CsvFileWriter.h"

#include "resources/StringTable.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

constexpr int CouldNotOpenFileText = 2501;

} // namespace

QString CsvFileWriter::openFailureText(const QString& path)
{
    QString text = loadString(CouldNotOpenFileText);
    return text.replace(QStringLiteral("%s"), QDir::toNativeSeparators(path));
}

QString CsvFileWriter::writeFailureText(const QString& path, const QString& reason) const
{
    return openFailureText(path) + QStringLiteral("\n\n") + reason;
}

bool CsvFileWriter::write(QIODevice* device, const QByteArray& text)
{
    error_.clear();
    qint64 written = 0;
    while (written < text.size()) {
        const qint64 chunk = device->write(text.constData() + written, text.size() - written);
        if (chunk <= 0) {
            error_ = device->errorString();
            if (error_.isEmpty())
                error_ = QStringLiteral("The data could not be written.");
            return false;
        }
        written += chunk;
    }
    return true;
}

bool CsvFileWriter::append(QIODevice* device, const QByteArray& headerIfEmpty,
                           const QByteArray& rows)
{
    const bool empty = device->size() == 0;
    if (!device->isSequential() && !device->seek(device->size())) {
        error_ = device->errorString();
        return false;
    }
    return write(device, empty ? headerIfEmpty + rows : rows);
}

bool CsvFileWriter::writeFile(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    // Unbuffered: a write the disk refuses must fail in write(), since a failing flush inside
    // commit() would go unnoticed and a cut-off file would take the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error_ = openFailureText(path);
        return false;
    }
    if (!write(&file, text)) {
        const QString reason = error_;
        file.cancelWriting();
        error_ = writeFailureText(path, reason);
        return false;
    }
    if (!file.commit()) {
        error_ = writeFailureText(path, file.errorString());
        return false;
    }
    return true;
}

bool CsvFileWriter::appendFile(const QString& path, const QByteArray& headerIfEmpty,
                               const QByteArray& rows)
{
    QFile file(path);
    // Unbuffered, so that a write the disk refuses fails here and not at some later flush.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        error_ = openFailureText(path);
        return false;
    }
    const qint64 oldSize = file.size();
    if (appendVerified(&file, oldSize == 0 ? headerIfEmpty + rows : rows))
        return true;

    QString reason = error_;
    if (!file.resize(oldSize))
        reason += QStringLiteral("\n") + file.errorString();
    error_ = writeFailureText(path, reason);
    return false;
}

// The text must be found at the old end of the file, byte for byte.
bool CsvFileWriter::appendVerified(QIODevice* file, const QByteArray& text)
{
    const qint64 oldSize = file->size();
    if (!write(file, text))
        return false;
    if (file->size() != oldSize + text.size() || !file->seek(oldSize) ||
        file->read(text.size()) != text) {
        error_ = QStringLiteral("The appended data could not be read back.");
        return false;
    }
    return true;
}
