#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The lines of an INI-style file, kept as they are so that a rewrite preserves other sections,
// unknown keys, comments and blank lines. Section and key names match case-insensitively; the
// first section of a name is the one that counts, and within it the first key of a name. The
// file is read once into an index of its sections and keys, so a look-up costs the same however
// long the file is.
class IniDocument {
public:
    // Reads UTF-8 text, or Latin-1 when the bytes are not valid UTF-8 (files written by older
    // installations use the Windows code page). Line ends may be CRLF, LF or CR.
    static IniDocument fromBytes(const QByteArray& bytes);
    // Every line ends with CRLF; the text is UTF-8.
    QByteArray toBytes() const;

    bool isEmpty() const;

    // The value text of the key, trimmed of white space at both ends; empty when the key has
    // none. No value when the section or the key is not there.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the value of the key in place, or adds the key at the end of its section, or
    // adds the section at the end of the document.
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    // A section header and the lines up to the next one; the lines before the first header
    // make a block without a header.
    struct Block {
        std::optional<QString> header;
        QStringList lines;
        // The line of the first key of each case-folded name.
        QHash<QString, qsizetype> keys;
        // One past the last line that is not blank: where a new key goes, so that blank lines
        // separating the section from the next stay where they are.
        qsizetype contentEnd = 0;

        void append(const QString& line);
    };

    const Block* findSection(const QString& section) const;
    Block& sectionForWriting(const QString& section);

    std::vector<Block> blocks_;
    // The block of the first section of each case-folded name.
    QHash<QString, std::size_t> sections_;
};
