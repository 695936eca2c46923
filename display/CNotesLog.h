#pragma once

#include <QDate>
#include <QString>

// The notes file behind the main window's notebook: "GorvaneNotes.txt" in the application
// folder, the text exactly as the user keeps it, with "\r\n" line ends.
class CNotesLog {
public:
    static constexpr const char* FileName = "GorvaneNotes.txt";

    explicit CNotesLog(QString applicationFolder);

    QString path() const;

    // Moves a notes file left beside the program by an older installation into the application
    // folder (once: only when the application folder has none), makes sure the file exists
    // and returns its text with "\n" line ends. False with errorText() when it cannot be read.
    bool load(const QString& programFolder, QString& text);

    // Replaces the file with the text in one step, so a failed write leaves the old notes
    // whole. An empty text is never written. False with errorText() on failure.
    bool save(const QString& text);

    const QString& errorText() const { return errorText_; }

    // The notes with a new dated entry begun: "============", the date ("Dec 05, 2026") and
    // "- ", each old text first ended with a line break if it has none.
    static QString withNewEntry(const QString& text, const QDate& today);

private:
    bool fail(const QString& reason);

    QString applicationFolder_;
    QString errorText_;
};
