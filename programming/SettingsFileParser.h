#pragma once

#include "programming/SettingsFile.h"

#include <QSet>

// Reads a settings file strictly, line by line, and names the line of every fault. The
// configuration file's reader is forgiving the way the Windows profile functions are (the first
// of two keys wins, anything unreadable gives a default); a file that is about to be written
// into a unit must instead say what is wrong with it, so a duplicate, an unknown name, bad hex or
// a value the record's dialog refuses each refuses the file.
class SettingsFileParser {
public:
    static constexpr const char* DATE_FORMAT = "yyyy-MM-dd HH:mm:ss";

    std::optional<SettingsFile> parse(const QByteArray& text, QStringList& errors);

private:
    enum class Section { None, Unit, Parameters };

    void takeLine(int number, const QString& line);
    void takeSection(int number, const QString& name);
    void takeUnitKey(int number, const QString& key, const QString& value);
    void takeParameter(int number, const QString& key, const QString& value);
    std::optional<QByteArray> bytesOf(int number, const SettingsRecords::Kept& record,
                                      const QString& hex);
    // What only the firmware of the [Unit] section decides: how the bytes read and whether
    // their values pass.
    void checkValues();
    // Line 0 stands for the whole file.
    void refuse(int number, const QString& why);

    Section section_ = Section::None;
    QSet<QString> sectionsSeen_;
    QSet<QString> keysSeen_;
    bool hasFirmware_ = false;
    SettingsFile file_;
    QStringList texts_; // the text after "|" of each entry, empty when it has none
    QList<std::pair<int, QString>> errors_;
};
