#pragma once

#include "config/ConfigFolders.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

// gorvane-cli in this process, with a home of its own: a throwaway configuration folder and a
// PC clock that stands still. Each run keeps what the subcommand printed.
class CliRunner {
public:
    CliRunner();

    // The arguments after the program name; the exit code.
    int run(QStringList arguments);

    ConfigFolders folders() const;
    // The program's configuration file with these "KEY=value" lines in its OPTIONS section.
    void writeConfiguration(const QStringList& lines) const;
    // Where the COM aliases of this home live (COM<n> symbolic links).
    QString portAliasFolder() const { return folders().portAliasFolder(); }

    QTemporaryDir home;
    QDateTime pcTime;
    // Whether gorvane-cli is told that its error stream is a terminal.
    bool errIsTerminal = false;
    QString out;
    QString err;
};
