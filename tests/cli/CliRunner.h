#pragma once

#include "config/ConfigFolders.h"

#include <QDateTime>
#include <QMap>
#include <QStringList>

// gorvane-cli in this process, in the test's throwaway home (where the stand-in unit's COM
// aliases are), with a PC clock that stands still. Each run keeps what the subcommand printed.
class CliRunner {
public:
    // The arguments after the program name; the exit code.
    int run(QStringList arguments);
    // The command line after the program name, split at its spaces once each of the words is
    // replaced ("clock @tcp" with words["@tcp"] = "--tcp 127.0.0.1:1701").
    int run(const QString& line);

    static ConfigFolders folders();
    // The program's configuration file with these "KEY=value" lines in its OPTIONS section.
    static void writeConfiguration(const QStringList& lines);

    QDateTime pcTime{QDate(2026, 3, 14), QTime(13, 47, 25)};
    // Whether gorvane-cli is told that its error stream is a terminal.
    bool errIsTerminal = false;
    QMap<QString, QString> words;
    QString out;
    QString err;
};
