#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The lines of an INI-style file, kept as they are so that a rewrite preserves other sections,
// unknown keys, comments and blank lines. Section and key names match case-insensitively; the
// first section of a name is the one that counts, and within it the first key of a name.
class IniDocument {
public:
    // Reads UTF-8 text, or Latin-1 when the bytes are not valid UTF-8 (files written by older
    // installations use the Windows code page). Line ends may be CRLF, LF or CR.
    static IniDocument fromBytes(const QByteArray& bytes);
    // Every line ends with CRLF; the text is UTF-8.
    QByteArray toBytes() const;

    bool isEmpty() const { return lines_.isEmpty(); }
    const QStringList& lines() const { return lines_; }

    // The value text of the key, trimmed of white space at both ends; empty when the key has
    // none. No value when the section or the key is not there.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the value of the key in place, or adds the key at the end of its section, or
    // adds the section at the end of the document.
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    struct Entry {
        QString key;
        QString value;
    };

    static std::optional<QString> sectionName(const QString& line);
    static std::optional<Entry> entry(const QString& line);
    qsizetype findSection(const QString& section) const;
    qsizetype sectionEnd(qsizetype headerLine) const;
    qsizetype findKey(qsizetype headerLine, const QString& key) const;
    qsizetype insertionPoint(qsizetype headerLine) const;

    QStringList lines_;
};
