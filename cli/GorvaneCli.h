#pragma once

#include "config/ConfigFolders.h"

#include <QDateTime>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class CliContext;
class CUnitLink;
class ConsolePrompt;
class QCommandLineParser;

// gorvane-cli: the unit from the command line. One subcommand per run; what it prints goes to
// out, messages and errors to err; the result is the process's exit code.
class GorvaneCli {
public:
    GorvaneCli(QTextStream& out, QTextStream& err, ConfigFolders folders);
    ~GorvaneCli();

    // The PC's local time; the wall clock unless a test sets one.
    void setClock(std::function<QDateTime()> now);
    // A progress bar is drawn on the error stream only when it is a terminal.
    void setErrIsTerminal(bool terminal);

    int run(const QStringList& arguments);

private:
    struct Command {
        const char* name;
        const char* summary;
        const char* arguments;
        std::function<void(QCommandLineParser&)> addOptions;
        std::function<int(const QCommandLineParser&)> run;
        bool needsUnit;
        // Reads the configuration file even when the options name the port.
        bool usesSettings;
    };

    QList<Command> commands();
    int usage(const QString& error);
    int subcommandUsage(const Command& command, const QString& error);
    int runCommand(const Command& command, const QStringList& arguments);
    int help(const Command& command, const QCommandLineParser& parser);

    int ports(const QCommandLineParser& parser);
    int read(const QCommandLineParser& parser);

    QTextStream& out_;
    QTextStream& err_;
    ConfigFolders folders_;
    std::unique_ptr<ConsolePrompt> prompts_;
    std::unique_ptr<CUnitLink> link_;
    std::unique_ptr<CliContext> context_;
};
