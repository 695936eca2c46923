#pragma once

#include "config/IniDocument.h"

#include <QString>
#include <optional>

class QSaveFile;

// The configuration file on disk: the only place that opens, creates and writes it. A rewrite
// goes to a new file that replaces the old one in one step, so a crash or a full disk never
// leaves a truncated configuration behind.
class ConfigFile {
public:
    // A larger file is not a configuration the program wrote; reading it would only cost time.
    static constexpr qint64 MaxBytes = 1024 * 1024;

    enum class Opened { Read, Failed, TooLarge };

    explicit ConfigFile(QString path);

    const QString& path() const { return path_; }
    // The platform's text for the last failure.
    const QString& errorString() const { return errorString_; }

    // Reads the whole file, first creating it empty when there is none. A file larger than
    // MaxBytes is not read, and the error string says so.
    Opened openOrCreate(IniDocument& document);
    // Reads the file as it is now; a missing or unreadable file gives an empty document, one
    // larger than MaxBytes none.
    std::optional<IniDocument> readExisting() const;
    // Replaces the file with the document.
    bool save(const IniDocument& document);

    // Writes the bytes through an opened save file and commits it; on any failure the save file
    // is cancelled, which leaves the file it replaces untouched.
    static bool writeAndCommit(QSaveFile& file, const QByteArray& bytes);

private:
    bool createEmpty();
    QString tooLargeText() const;

    QString path_;
    QString errorString_;
};
