#pragma once

#include "programming/SettingsRecords.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A unit's settings as a person keeps them: UTF-8 text, a [Unit] section saying which unit
// firmware and which program version saved them and when, then one line per record in the
// parameter table's order, so that two files of two units compare line by line:
//
//     [Unit]
//     Firmware = 2.5
//     Saved = 2026-03-14 13:47:25
//     Program = 0.1.0
//
//     [Parameters]
//     P26 Battery 1 Low Alarm = 0xEC: 76 00 32 | 11.8 V, 50 %
//
// The bytes are what a restore writes; the text after "|" says how they read. Lines starting
// with ";" or "#" are comments.
class SettingsFile {
public:
    struct Entry {
        SettingsRecords::Kept record;
        QByteArray bytes;
        // Where the entry stands in the file it was read from; 0 for one not read from a file.
        int line = 0;
    };

    // How many bytes a settings file may have; a larger one is not one of ours.
    static constexpr qint64 MAX_FILE_BYTES = 64 * 1024;

    float firmware = 0;
    QDateTime saved;
    QString programVersion;
    QList<Entry> entries;

    QByteArray toText() const;
    // One message per refused line ("line 14: ..."); none when the text is a settings file whose
    // every value its dialog accepts.
    static std::optional<SettingsFile> parse(const QByteArray& text, QStringList& errors);

    // Replaces the file at path whole or leaves it as it was.
    bool writeTo(const QString& path, QString& error) const;
    static std::optional<SettingsFile> readFrom(const QString& path, QStringList& errors);

    // "P26 Battery 1 Low Alarm = 0xEC: 76 00 32 | 11.8 V, 50 %", the key padded to width.
    static QString entryLine(const Entry& entry, float firmware, int keyWidth = 0);
    // "0xEC: 76 00 32".
    static QString addressAndBytes(const Entry& entry);
};
