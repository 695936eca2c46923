#include "cli/ClockCommand.h"

#include "cli/CliContext.h"
#include "cli/ExitCode.h"
#include "cli/UnitConnection.h"
#include "display/UnitClock.h"
#include "logged/UnitTimeStamp.h"
#include "programming/ParameterCoding.h"
#include "programming/UnitClockRecords.h"
#include "resources/StringTable.h"

#include <QCommandLineParser>
#include <QJsonObject>

namespace {

constexpr int TimeSetText = 1551;

} // namespace

void ClockCommand::addOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("set-pc"),
                      QStringLiteral("Set the unit's time of day to the PC's; its day number "
                                     "stays.")});
    CliContext::addJsonOption(parser);
}

int ClockCommand::run(const QCommandLineParser& parser)
{
    UnitConnection connection(context_.link);
    if (!connection.connectUnit())
        return context_.failed(connection);
    Reading unit;
    if (!readClock(connection, unit))
        return context_.failed(connection);
    const QDateTime pcTime = context_.now();
    const bool setPc = parser.isSet(QStringLiteral("set-pc"));
    if (setPc && !setToPc(connection, unit, pcTime, unit))
        return context_.failed(connection);
    print(unit, pcTime, setPc, parser.isSet(QStringLiteral("json")));
    return EXIT_OK;
}

bool ClockCommand::readClock(UnitConnection& connection, Reading& reading)
{
    const auto records = connection.readRecords({RecordMap::ClockDay, RecordMap::ClockMinute});
    if (!records)
        return false;
    const UnitClockRecords::Values values = UnitClockRecords::decode((*records)[0], (*records)[1]);
    reading = {ParameterCoding::wordAt((*records)[0], 0), values.day, values.minuteOfDay};
    return true;
}

bool ClockCommand::setToPc(UnitConnection& connection, const Reading& reading,
                           const QDateTime& pcTime, Reading& set)
{
    const UnitTimeStamp stamp = UnitTimeStamp::syncedTo(reading.dayWord, pcTime.time());
    const UnitClockRecords::Values values{stamp.day(), stamp.minuteOfDay()};
    if (!connection.write(RecordMap::ClockDay.address, UnitClockRecords::encodeDayRecord(values)) ||
        !connection.write(RecordMap::ClockMinute.address,
                          UnitClockRecords::encodeMinuteRecord(values)))
        return false;
    set = {stamp.dayWord, values.day, values.minuteOfDay};
    return true;
}

void ClockCommand::print(const Reading& unit, const QDateTime& pcTime, bool wasSet, bool json) const
{
    const QString unitTime = UnitClock::formatMinutesAfterMidnight(unit.minuteOfDay);
    const QString pcText = UnitClock::formatTimeOfDay(pcTime.time());
    if (json) {
        context_.printJson(QJsonObject{{QStringLiteral("day"), unit.day},
                                       {QStringLiteral("minuteOfDay"), unit.minuteOfDay},
                                       {QStringLiteral("unitTime"), unitTime},
                                       {QStringLiteral("pcTime"), pcText},
                                       {QStringLiteral("set"), wasSet}});
        return;
    }
    if (wasSet)
        context_.out << loadString(TimeSetText) << '\n';
    context_.printFields(
        {{UnitClock::unitTimeTitle(), UnitClock::dayAndTimeText(unit.day, unit.minuteOfDay)},
         {UnitClock::pcTimeTitle(), pcText}});
}
