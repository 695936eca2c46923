#include "cli/LiveCommand.h"

#include "cli/CliContext.h"
#include "cli/ExitCode.h"
#include "cli/InterruptWatcher.h"
#include "cli/ItemChoice.h"
#include "cli/UnitConnection.h"
#include "display/OptionsApply.h"
#include "display/PollRequests.h"
#include "link/CUnitLink.h"
#include "link/ReconnectSchedule.h"
#include "programming/AlarmEnablesRecord.h"
#include "resources/StringTable.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <charconv>
#include <optional>
#include <utility>

namespace {

// The status rows are named by the texts the window shows for them, 3000 + row.
constexpr int FirstStatusString = 3000;
constexpr int RowsPerBattery = 6;
// A day between readings is the longest wait that makes sense.
constexpr double LongestWatchSeconds = 86400.0;

// The shortest decimal that reads back as the same 32-bit float: 12.6, not 12.600000381.
double shortestDecimal(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QByteArray(text, result.ptr - text).toDouble();
}

QString statusText(const BatteryStatus& status, int row)
{
    QString text = loadString(FirstStatusString + row);
    if (row == BatteryStatus::RELAY_ROW)
        return text;
    const int alarm = status.alarmState(row);
    return text + QStringLiteral(" (%1)").arg(alarm == 0
                                                  ? BatteryStatus::alarmOffText()
                                                  : AlarmEnablesRecord::choiceTexts()[alarm]);
}

} // namespace

void LiveCommand::addOptions(QCommandLineParser& parser)
{
    parser.addOption(
        {QStringLiteral("watch"),
         QStringLiteral("Read again SECONDS after each reading, until interrupted "
                        "(SIGINT, SIGTERM); a lost unit is reconnected after 1, 2, 5, 10, "
                        "then every 30 seconds."),
         QStringLiteral("seconds")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("Print one JSON object a reading.")});
}

LiveCommand::LiveCommand(CliContext& context) : context_(context), items_(StringTable::builtIn()) {}

int LiveCommand::run(const QCommandLineParser& parser)
{
    items_.build(OptionsApply::liveItemSettings(context_.settings));
    QString error;
    if (!chooseItems(parser.positionalArguments(), error))
        return context_.usageError(error);
    const std::optional<int> intervalMs = watchInterval(parser);
    if (!intervalMs)
        return context_.usageError(
            QStringLiteral("--watch needs a number of seconds, more than 0 and at most 86400."));
    UnitConnection connection(context_.link);
    if (!connection.connectUnit() || !readSetup(connection))
        return context_.failed(connection);
    return watch(connection, *intervalMs, parser.isSet(QStringLiteral("json")));
}

std::optional<int> LiveCommand::watchInterval(const QCommandLineParser& parser)
{
    if (!parser.isSet(QStringLiteral("watch")))
        return 0;
    bool ok = false;
    const double seconds = parser.value(QStringLiteral("watch")).toDouble(&ok);
    // Written so that a value that is not a number fails too.
    if (!ok || !(seconds > 0.0 && seconds <= LongestWatchSeconds))
        return std::nullopt;
    return std::max(1, qRound(seconds * 1000.0));
}

// What the display's start-up sequence reads for its labels and decoding, in its order.
bool LiveCommand::readSetup(UnitConnection& connection)
{
    const auto setup = connection.readRecords({PollRequests::ChannelNames.record,
                                               PollRequests::BatteryWords.record,
                                               PollRequests::ShuntTypes.record});
    if (!setup)
        return false;
    items_.applyChannelNames((*setup)[0]);
    items_.applyBatteryWords((*setup)[1]);
    items_.applyShunts((*setup)[2]);
    return true;
}

bool LiveCommand::chooseItems(const QStringList& arguments, QString& error)
{
    return ItemChoice::choose(arguments, items_, context_.settings, chosen_, error);
}

int LiveCommand::watch(UnitConnection& connection, int intervalMs, bool json)
{
    watching_ = intervalMs > 0;
    if (!watching_) {
        if (!readRound(connection))
            return context_.failed(connection);
        print(json);
        return EXIT_OK;
    }
    InterruptWatcher interrupt;
    ReconnectSchedule schedule;
    bool lost = false;
    for (;;) {
        if (readRound(connection)) {
            if (std::exchange(lost, false))
                context_.err
                    << QStringLiteral("Connection to %1 is back.").arg(context_.link.target())
                    << Qt::endl;
            schedule.reset();
            print(json);
            if (!interrupt.sleep(intervalMs))
                return EXIT_OK;
            continue;
        }
        // One line a loss; the retries that follow are silent until the unit answers.
        const int pause = schedule.nextPauseSeconds();
        if (!std::exchange(lost, true))
            context_.err << connection.errorText() << QStringLiteral(" Reconnecting...")
                         << Qt::endl;
        if (!interrupt.sleep(pause * 1000))
            return EXIT_OK;
        context_.link.Close();
        if (connection.connectUnit())
            readSetup(connection);
    }
}

void LiveCommand::print(bool json) const
{
    if (json)
        printJson();
    else
        printText();
}

bool LiveCommand::readRound(UnitConnection& connection)
{
    for (int n : chosen_) {
        const LiveItem& item = items_.item(n);
        const auto reply =
            connection.read(static_cast<std::uint8_t>(item.address & 0xFF), item.length);
        if (!reply)
            return false;
        items_.acceptReply(n, *reply);
    }
    const auto status = connection.readRecords(
        {PollRequests::AlarmStates.record, PollRequests::StatusFlags.record});
    if (!status)
        return false;
    status_.applyAlarmStates((*status)[0]);
    status_.applyFlags((*status)[1]);
    return true;
}

void LiveCommand::printText() const
{
    QTextStream& out = context_.out;
    if (watching_)
        out << context_.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << '\n';
    for (int n : chosen_)
        out << items_.item(n).labelText.leftJustified(LiveItem::LABEL_TEXT_SIZE + 2)
            << items_.slotText(n) << '\n';
    for (int battery = 1; battery <= 2; ++battery)
        out << BatteryStatus::title(battery).leftJustified(LiveItem::LABEL_TEXT_SIZE + 2)
            << statusLine(battery) << '\n';
    if (watching_)
        out << '\n';
    out.flush();
}

// The battery's flags that are set, each with its alarm; "---" when none is.
QString LiveCommand::statusLine(int battery) const
{
    QStringList set;
    const int first = (battery - 1) * RowsPerBattery;
    for (int row = first; row < std::min(first + RowsPerBattery, BatteryStatus::ROW_COUNT); ++row)
        if (status_.flag(row))
            set.append(statusText(status_, row));
    return set.isEmpty() ? QStringLiteral("---") : set.join(QStringLiteral(", "));
}

void LiveCommand::printJson() const
{
    QJsonArray items;
    for (int n : chosen_) {
        const LiveItem& item = items_.item(n);
        items.append(
            QJsonObject{{QStringLiteral("item"), QStringLiteral("AD%1").arg(n)},
                        {QStringLiteral("label"), item.labelText},
                        {QStringLiteral("valid"), item.valid},
                        {QStringLiteral("value"),
                         item.valid ? QJsonValue(shortestDecimal(item.value)) : QJsonValue()},
                        {QStringLiteral("text"), item.valid ? item.valueText : QString()},
                        {QStringLiteral("unit"), item.unitText}});
    }
    QJsonArray status;
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row) {
        QJsonObject flag{{QStringLiteral("name"), loadString(FirstStatusString + row)},
                         {QStringLiteral("set"), status_.flag(row)}};
        if (row != BatteryStatus::RELAY_ROW)
            flag.insert(QStringLiteral("alarm"), status_.alarmState(row));
        status.append(flag);
    }
    context_.printJson(QJsonObject{{QStringLiteral("time"), context_.now().toString(Qt::ISODate)},
                                   {QStringLiteral("items"), items},
                                   {QStringLiteral("status"), status}});
}
