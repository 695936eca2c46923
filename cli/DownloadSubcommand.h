#pragma once

#include "logged/DownloadJob.h"

#include <QString>
#include <optional>

class CliContext;
class QCommandLineParser;
class UnitConnection;
struct DownloadResult;

// gorvane-cli download --out DIR [--name BASE] [--periodic] [--efficiency] [--profile]
// [--sync-time] [--append FILE] [--clear] [--full]: the program's download sequence and data
// files (only what the unit wrote since the last download is read, unless --full),
// the summary on stdout and a progress bar on a terminal. The options take the place of the
// Download dialog and of every question: the unit's periodic log is cleared only with --clear,
// and then only when its records were saved.
class DownloadSubcommand {
public:
    static void addOptions(QCommandLineParser& parser);

    explicit DownloadSubcommand(CliContext& context) : context_(context) {}

    int run(const QCommandLineParser& parser);

private:
    QString baseName(const QCommandLineParser& parser) const;
    // The usage error of the options, or empty.
    QString checkOptions(const QCommandLineParser& parser) const;
    DownloadJob makeJob(const QCommandLineParser& parser) const;
    std::optional<DownloadResult> transfer(const DownloadJob& job);
    int report(const DownloadResult& result, bool clear, UnitConnection& connection);
    bool clearPeriodicLog(UnitConnection& connection);

    CliContext& context_;
};
