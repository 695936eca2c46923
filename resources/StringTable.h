#pragma once

#include <QHash>
#include <QString>

// The program's numbered texts. Several ids double as values: a link error code is the id of
// its text, and the main window's status texts are 3000 + row.
class StringTable {
public:
    // Parses the table text: one "id<TAB>text" per line, C escapes (\n \r \t \\ \") in the
    // text, blank lines and lines starting with '#' ignored.
    static StringTable parse(const QString& tableText);

    // The table compiled into the program.
    static const StringTable& builtIn();

    bool contains(int id) const { return texts_.contains(id); }
    // The text of id, or an empty text when the table has no such id.
    QString text(int id) const { return texts_.value(id); }
    int size() const { return static_cast<int>(texts_.size()); }
    QList<int> ids() const;

private:
    QHash<int, QString> texts_;
};

// Shorthand for StringTable::builtIn().text(id).
QString loadString(int id);
