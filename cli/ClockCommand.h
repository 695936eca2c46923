#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

class CliContext;
class QCommandLineParser;
class UnitConnection;

// gorvane-cli clock [--set-pc] [--json]: the unit's clock beside the PC's; with --set-pc the
// unit's time of day is set to the PC's as the download's time synchronisation sets it,
// keeping the unit's day number (the unit has no seconds).
class ClockCommand {
public:
    static void addOptions(QCommandLineParser& parser);

    explicit ClockCommand(CliContext& context) : context_(context) {}

    int run(const QCommandLineParser& parser);

private:
    struct Reading {
        std::uint16_t dayWord = 0;
        int day = 0;
        int minuteOfDay = 0;
    };

    bool readClock(UnitConnection& connection, Reading& reading);
    bool setToPc(UnitConnection& connection, const Reading& reading, const QDateTime& pcTime,
                 Reading& set);
    void print(const Reading& unit, const QDateTime& pcTime, bool wasSet, bool json) const;

    CliContext& context_;
};
