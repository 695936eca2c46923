#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Puts a data file's text on a device or into a file in one piece, and keeps the reason when
// that fails. A file is never left half-written: a new file takes the old one's place only once
// it is complete, and an append that fails part way is cut back to what the file held before.
class CsvFileWriter {
public:
    // Writes all of text to an open device; errorString() is then the device's error.
    bool write(QIODevice* device, const QByteArray& text);
    // Appends rows at the end of an open device, with the header first when the device is empty.
    bool append(QIODevice* device, const QByteArray& headerIfEmpty, const QByteArray& rows);

    // Creates or replaces the file; on failure the old file (or no file) is left as it was and
    // errorString() is a text for the user (string 2501 with the path, and the reason when the
    // file opened but could not be written).
    bool writeFile(const QString& path, const QByteArray& text);
    // Appends to the file, creating it when missing and never truncating what it held; checks
    // that the new text reached the file whole.
    bool appendFile(const QString& path, const QByteArray& headerIfEmpty, const QByteArray& rows);

    QString errorString() const { return error_; }

    // String 2501 "Could not open file:\n %s" with the path.
    static QString openFailureText(const QString& path);

private:
    QString writeFailureText(const QString& path, const QString& reason) const;
    bool appendVerified(QIODevice* file, const QByteArray& text);

    QString error_;
};
