#pragma once

#include "config/Settings.h"

#include <QDateTime>
#include <QList>
#include <QTextStream>
#include <functional>
#include <utility>

class CUnitLink;
class QCommandLineParser;
class QJsonObject;
class PromptService;
class UnitConnection;

// What every subcommand works with: the two output streams, the link, the prompts, the
// program's configuration and the PC's clock.
class CliContext {
public:
    CliContext(QTextStream& out, QTextStream& err, CUnitLink& link, PromptService& prompts)
        : out(out), err(err), link(link), prompts(prompts)
    {}

    QTextStream& out;
    QTextStream& err;
    CUnitLink& link;
    PromptService& prompts;
    // The configuration file's settings (defaults where it has none).
    Settings settings;
    // The PC's local time; the wall clock unless a test sets one.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // Where the images of the units' memory are kept for incremental downloads.
    QString unitImageFolder;
    // Whether the error stream is a terminal, where a progress bar may be drawn.
    bool errIsTerminal = false;

    // "--json" of a subcommand that prints one object.
    static void addJsonOption(QCommandLineParser& parser);

    // Prints why the connection failed and returns the matching exit code.
    int failed(const UnitConnection& connection) const;
    // Prints a usage error and returns its exit code.
    int usageError(const QString& text) const;

    // "Name: value" lines on the output, the values in one column.
    void printFields(const QList<std::pair<QString, QString>>& fields) const;
    // One JSON object on one line of the output, so that a repeating subcommand gives one
    // object per line.
    void printJson(const QJsonObject& object) const;
};
