#pragma once

#include "display/BatteryStatus.h"
#include "display/CLiveItemTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class CliContext;
class QCommandLineParser;
class UnitConnection;

// gorvane-cli live [ITEM...] [--watch SECONDS] [--json]: the live items (by default those of
// the configuration's six display slots) read and decoded through the program's live item
// table, with the status and alarm flags of both batteries; --watch repeats until SIGINT or
// SIGTERM, and rides over a lost unit by reconnecting with growing pauses.
class LiveCommand {
public:
    static void addOptions(QCommandLineParser& parser);

    explicit LiveCommand(CliContext& context);

    int run(const QCommandLineParser& parser);

private:
    static std::optional<int> watchInterval(const QCommandLineParser& parser);
    bool chooseItems(const QStringList& arguments, QString& error);
    bool readSetup(UnitConnection& connection);
    int watch(UnitConnection& connection, int intervalMs, bool json);
    bool readRound(UnitConnection& connection);
    void print(bool json) const;
    void printText() const;
    QString statusLine(int battery) const;
    void printJson() const;

    CliContext& context_;
    CLiveItemTable items_;
    BatteryStatus status_;
    QList<int> chosen_;
    bool watching_ = false;
};
