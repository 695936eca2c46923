#include "link/RecordMap.h"
#include "programming/AlarmEnablesRecord.h"
#include "programming/AlarmIntervalRecord.h"
#include "programming/BatteryCapacityRecord.h"
#include "programming/ChannelLabelsRecord.h"
#include "programming/DischargeProfileRecord.h"
#include "programming/EfficiencyRecord.h"
#include "programming/EraseCommands.h"
#include "programming/FilterTimeRecord.h"
#include "programming/NetworkAdapterBlocks.h"
#include "programming/ParameterCoding.h"
#include "programming/PeriodicLoggingRecord.h"
#include "programming/RelaySetpointsRecord.h"
#include "programming/SetpointRecord.h"
#include "programming/ShuntTypesRecord.h"
#include "programming/SwitchItemsRecord.h"
#include "programming/UnitClockRecords.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>
#include <vector>

// Every record kind's encoding as tables of examples: what the unit's bytes show, what
// the entries write, which entries are refused and with which message. A failing row is named
// by its position in its table.

namespace {

namespace Alarms = AlarmEnablesRecord;
namespace Capacity = BatteryCapacityRecord;
namespace Clock = UnitClockRecords;
namespace Efficiency = EfficiencyRecord;
namespace Filter = FilterTimeRecord;
namespace Interval = AlarmIntervalRecord;
namespace Labels = ChannelLabelsRecord;
namespace Net = NetworkAdapterBlocks;
namespace Periodic = PeriodicLoggingRecord;
namespace Profile = DischargeProfileRecord;
namespace Relay = RelaySetpointsRecord;
namespace Setpoint = SetpointRecord;
namespace Shunts = ShuntTypesRecord;
using Relay::PercentUse;

template <typename Result> struct Case {
    Result actual;
    Result expected;
};

template <typename Result, std::size_t N> void expectEach(const Case<Result> (&cases)[N])
{
    for (std::size_t row = 0; row < N; ++row) {
        SCOPED_TRACE(::testing::Message() << "row " << row);
        EXPECT_EQ(cases[row].actual, cases[row].expected);
    }
}

// Decoded fields as plain numbers, so that one table holds every record kind.
using Fields = std::vector<qint64>;
constexpr qint64 NONE = -1;             // a list without a selection, a criterion not used
constexpr qint64 CHARGE_CRITERIA = 100; // "Use Charge Criteria (P32)" checked

qint64 orNone(std::optional<int> value)
{
    return value.value_or(NONE);
}

template <typename Container> Fields fieldsOf(const Container& values)
{
    Fields fields;
    for (const auto& value : values)
        fields.push_back(orNone(value));
    return fields;
}

Fields labels(const QByteArray& record)
{
    const auto v = Labels::decode(record);
    Fields fields = fieldsOf(v.ampsChoice);
    fields.insert(fields.begin(), v.volts1Choice);
    return fields;
}

Fields setpoint(const QByteArray& record)
{
    const auto v = Setpoint::decode(record);
    return {v.tenths, orNone(v.criterion)};
}

QByteArray setpointWritten(const char* volts, const char* criterion, bool unused = false)
{
    return Setpoint::encode(Setpoint::toValues({volts, criterion, unused}));
}

// The relay dialog: Reversed, left voltage and percent, right voltage and percent; the percent
// is NONE with "Don't use % Full" checked.
Fields relay(const QByteArray& record, float firmware)
{
    const Relay::View view = Relay::view(Relay::decode(record), firmware);
    auto percent = [](const Relay::Column& c) -> qint64 {
        if (c.use == PercentUse::Percent)
            return c.percent;
        return c.use == PercentUse::ChargeCriteria ? CHARGE_CRITERIA : NONE;
    };
    return {view.reversed, view.left.tenths, percent(view.left), view.right.tenths,
            percent(view.right)};
}

Relay::ColumnEntry side(const char* volts, PercentUse use = PercentUse::NotUsed,
                        const char* percent = "")
{
    return {volts, percent, use};
}

QByteArray relayWritten(Relay::ColumnEntry left, Relay::ColumnEntry right, bool reversed = false)
{
    return Relay::encode(Relay::toValues({reversed, left, right}));
}

// What OK writes when the user changes nothing in the relay dialog.
QByteArray relayUnchanged(const QByteArray& record, float firmware)
{
    const Relay::View view = Relay::view(Relay::decode(record), firmware);
    auto typed = [](const Relay::Column& c) {
        return Relay::ColumnEntry{ParameterCoding::voltsText(c.tenths), QString::number(c.percent),
                                  c.use};
    };
    return relayWritten(typed(view.left), typed(view.right), view.reversed);
}

QByteArray clockWritten(const char* day, int hour, int minute)
{
    const auto v = Clock::toValues(day, hour, minute);
    return Clock::encodeDayRecord(v) + Clock::encodeMinuteRecord(v);
}

// Interval entries of the list.
constexpr int ONE_MIN = 0, TWO_MIN = 1, FIVE_MIN = 3, ONE_HOUR = 7, DAY = 13;

Net::Blocks adapterBlocks()
{
    return {bytesOf({0x81, 192, 168, 1, 50, 192, 168, 1, 1, 8, 8, 8, 8, 8}),
            bytesOf({8, 8, 4, 4, 0xA5, 0x06}), QByteArray("OFFICE-UNIT").leftJustified(16, '\0'),
            QByteArray(16, '\x5A')};
}

template <typename Change> Net::Blocks adapterWritten(Change change, QByteArray blockA = {})
{
    Net::Settings settings = Net::defaults();
    change(settings);
    return Net::encode(settings, blockA);
}

} // namespace

TEST(ParameterRecords, ReadTheUnitsBytesAsTheDialogsShowThem)
{
    const QByteArray chargeCriteriaRelay = bytesOf({0x73, 0x00, 0, 0x8A, 0x00, 100});
    const auto shunts = Shunts::decode(bytesOf({0x01, 0x22, 0x13}));
    const auto efficiency = Efficiency::decode(bytesOf({85, 0xE7, 0xFF}));
    const auto profile = Profile::decode(bytesOf({0xA0}));
    const auto clock = Clock::decode(bytesOf({0x2C, 0x00}), bytesOf({107}));
    const auto lastClock = Clock::decode(bytesOf({0x3F, 0x1F}), bytesOf({179}));
    const auto periodic =
        Periodic::decode(bytesOf({0x27, 0xFA, 9, 90, 1, 2, 3, 4, 5, 6, 0x63, 0xFF}));
    auto adapter = [](const Net::Settings& s) {
        return Fields{s.dhcp,       s.ipAddress,    s.gateway, s.subnetMask,
                      s.primaryDns, s.secondaryDns, s.port};
    };
    Fields criteria, hostBits, perDay, itemBits;
    for (int entry = 0; entry < Periodic::INTERVAL_COUNT; ++entry)
        perDay.push_back(Periodic::recordsPerDay(entry));
    for (int box = 0; box < Periodic::ITEM_COUNT; ++box)
        itemBits.push_back(Periodic::itemAt(box));
    for (int byte2 : {0, 1, 98, 99, 200})
        criteria.push_back(orNone(Setpoint::decode(bytesOf({0x78, 0x00, byte2})).criterion));
    for (quint32 mask : {0xFFFFFF00u, 0xFFFFFFFFu, 0u, 0xFFFF0000u, 0x80000000u, 0xFF00FF00u})
        hostBits.push_back(orNone(Net::hostBitsOfMask(mask)));

    const Case<Fields> cases[] = {
        {fieldsOf(SwitchItemsRecord::decode(bytesOf({3, 7, 0, 55, 22}))), {3, 7, 0, 0, 22}},
        {fieldsOf(SwitchItemsRecord::decode(bytesOf({40, 41, 255, 1, 0}))), {40, 0, 0, 1, 0}},
        // Volts 1 ("Battery" for bit 4 set), then the codes of Amps 1, 2 and 3.
        {labels(bytesOf({0x13, 0x06, 0x05})), {0, 3, 6, 5}},
        {labels(bytesOf({0xE7, 0xA7, 0x48})), {1, NONE, NONE, 0}},
        {{shunts.shuntChoice[0], shunts.shuntChoice[1], shunts.shuntChoice[2], shunts.amps2IsSum},
         {0, 0, 1, 1}},
        {{Capacity::decode(bytesOf({0x0F, 0x27}))}, {9999}},
        // "No Battery" makes the battery absent; a typed 0 leaves it present.
        {{Capacity::isPresent({"200", true}), Capacity::isPresent({"0"})}, {false, true}},
        {{orNone(Filter::decode(bytesOf({2}))), orNone(Filter::decode(bytesOf({4})))}, {2, NONE}},
        // Lo Batt, Hi Batt, Batt Charged, days since Charged, days since Equalized.
        {fieldsOf(Alarms::decode(bytesOf({0xFF, 0x00}))), {NONE, 2, 2, 2, 0}},
        {fieldsOf(Alarms::decode(bytesOf({0x49, 0x02}))), {1, 0, 2, 1, 2}},
        {{efficiency.efficiencyPercent, efficiency.selfDischargeHundredths}, {85, 999}},
        {{Interval::decode(bytesOf({30}))}, {30}},
        {{profile.everyFivePercent, profile.battery1, profile.battery2}, {1, 1, 0}},
        {setpoint(bytesOf({0x8A, 0xFC, 50})), {138, 50}},
        {setpoint(bytesOf({0xFF, 0xFF, 1})), {1023, 1}},
        {criteria, {NONE, 1, 98, NONE, NONE}},
        {setpoint(setpointWritten("14.4", "99")), {144, NONE}},
        {relay(chargeCriteriaRelay, 2.1f), {false, 115, NONE, 138, CHARGE_CRITERIA}},
        {relay(chargeCriteriaRelay, 1.5f), {false, 115, NONE, 138, NONE}},
        {relay(bytesOf({0x8C, 0x00, 90, 0x78, 0x00, 20}), 2.0f), {true, 120, 20, 140, 90}},
        {relay(bytesOf({0x82, 0, 5, 0x82, 0, 6}), 2.0f), {false, 130, 5, 130, 6}},
        {relay(bytesOf({0x78, 0, 100, 0x8C, 0, 150}), 2.0f), {false, 120, NONE, 140, NONE}},
        {relay(bytesOf({0x78, 0, 99, 0x8C, 0, 1}), 1.0f), {false, 120, 99, 140, 1}},
        {relay(relayWritten(side("12"), side("14"), true), 2.0f), {true, 120, NONE, 140, NONE}},
        {{clock.day, clock.minuteOfDay}, {5, 13 * 60 + 47}},
        {{lastClock.day, lastClock.minuteOfDay}, {999, 23 * 60 + 59}},
        {{periodic.items, orNone(periodic.interval), periodic.minuteOfDay},
         {0x363, ONE_HOUR, 7 * 60 + 30}},
        {{orNone(Periodic::decode(bytesOf({0x10})).interval)}, {NONE}},
        {perDay, {1440, 720, 480, 288, 144, 96, 48, 24, 12, 6, 4, 3, 2, 1}},
        // AHr 1-3, WHr 1-2, Filt Volts 1, Filt Amps 1, Filt Volts 2, % Full, Temp (min/max).
        {itemBits, {0x001, 0x002, 0x004, 0x008, 0x010, 0x040, 0x080, 0x100, 0x200, 0x020}},
        {adapter(Net::decode(adapterBlocks())),
         {true, 0xC0A80132, 0xC0A80101, 0xFFFFFF00, 0x08080808, 0x08080404, 1701}},
        {adapter(Net::defaults()), {true, 0, 0, 0xFFFF0000, 0, 0, 1701}},
        {hostBits, {8, 0, 32, 16, 31, NONE}},
        {{Net::maskOfHostBits(8), Net::maskOfHostBits(32), Net::maskOfHostBits(0),
          Net::maskOfHostBits(200)},
         {0xFFFFFF00, 0, 0xFFFFFFFF, 0}},
    };
    expectEach(cases);
}

TEST(ParameterRecords, WriteTheBytesTheUnitExpects)
{
    const QByteArray labelsRead = bytesOf({0xE7, 0xA7, 0x48});
    const QByteArray shuntsRead = bytesOf({0x01, 0x22, 0x13});
    const QByteArray alarmsRead = bytesOf({0xFF, 0xFF});
    const QByteArray periodicRead = bytesOf({0x00, 0xFF, 0xAA, 0x00, 1, 2, 3, 4, 5, 6, 0x00, 0xFC});
    const QByteArray unknownInterval = bytesOf({0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QByteArray chargeCriteriaRelay = bytesOf({0x73, 0x00, 0, 0x8A, 0x00, 100});
    const QByteArray reversedRelay = bytesOf({0x8C, 0x00, 90, 0x78, 0x00, 20});
    const auto cc = PercentUse::ChargeCriteria;
    auto highAlarm = [](const char* volts, const QByteArray& read) {
        return Setpoint::encodeHighAlarm(ParameterCoding::typedTenths(QString::fromLatin1(volts)),
                                         read);
    };
    auto joined = [](const Net::Blocks& blocks) {
        return blocks[0] + blocks[1] + blocks[2] + blocks[3];
    };
    auto nameBlock = [](const char* name) { return QByteArray(name).leftJustified(16, '\0'); };
    // AHr 1, WHr 1 and % Full every hour.
    auto periodic = [&](int minuteOfDay) {
        return Periodic::encode({0x209, ONE_HOUR, minuteOfDay}, periodicRead);
    };
    QByteArray intervals, erase = bytesOf({RecordMap::Command.address});
    for (int entry = 0; entry < Periodic::INTERVAL_COUNT; ++entry)
        intervals.append(static_cast<char>(Periodic::intervalCode(entry)));
    for (int button = 0; button < EraseCommands::COMMAND_COUNT; ++button)
        erase.append(static_cast<char>(EraseCommands::commandAt(button)));
    const Net::Blocks adapterRead = adapterBlocks();
    const Net::Blocks adapterBack = Net::encode(Net::decode(adapterRead), adapterRead[0]);

    const Case<QByteArray> cases[] = {
        {SwitchItemsRecord::encode({3, 7, 0, 0, 22}), bytesOf({3, 7, 0, 0, 22})},
        {Labels::encode({0, {{std::nullopt, 1, 4}}}, labelsRead), bytesOf({0xF7, 0xA1, 0x4C})},
        {Labels::encode(Labels::decode(labelsRead), labelsRead), labelsRead},
        // The Amps 2 sum bit is written from firmware 2.0 on, before it stays as read.
        {Shunts::encode({{1, 1, 0}, false}, shuntsRead, 1.9f), bytesOf({0x11, 0x32, 0x03})},
        {Shunts::encode({{1, 1, 0}, false}, shuntsRead, 2.0f), bytesOf({0x11, 0x12, 0x03})},
        {Capacity::encode(9999), bytesOf({0x0F, 0x27})},
        {Capacity::encode(Capacity::ampHoursToWrite({"200", true})), bytesOf({0, 0})},
        {Filter::encode(3, bytesOf({0})), bytesOf({3})},
        {Filter::encode(std::nullopt, bytesOf({9})), bytesOf({9})},
        {Alarms::encode({1, 0, 2, 1, 2}, bytesOf({0, 0xFC})), bytesOf({0x49, 0x02})},
        {Alarms::encode(Alarms::decode(alarmsRead), alarmsRead), bytesOf({0xAB, 0x02})},
        {Efficiency::encode(Efficiency::toValues({"100", "9.99"})), bytesOf({100, 0xE7, 0x03})},
        {Efficiency::encode(Efficiency::toValues({"90", "0.25"})), bytesOf({90, 25, 0})},
        {Interval::encode(Interval::toDays("abc")), bytesOf({0})},
        {Interval::encode(Interval::toDays("250")), bytesOf({250})},
        {Profile::encode({true, false, true}, bytesOf({0xFF})), bytesOf({0xDF})},
        {Profile::encode({}, bytesOf({0xFF})), bytesOf({0x1F})},
        {Profile::encode({true, true, false}, bytesOf({0x05})), bytesOf({0xA5})},
        {setpointWritten("12.35", "50"), bytesOf({123, 0, 50})},
        {setpointWritten("14.4", "99"), bytesOf({0x90, 0x00, 99})},
        {setpointWritten("11.5", "45", true), bytesOf({0x73, 0x00, 0})},
        {highAlarm("15.5", bytesOf({0, 0xFC, 0x5A})), bytesOf({0x9B, 0x00, 0x5A})},
        {highAlarm("100", bytesOf({0, 0, 0})), bytesOf({0xE8, 0x03, 0})},
        {highAlarm("10.09", bytesOf({0, 0, 0})), bytesOf({100, 0, 0})},
        {relayUnchanged(chargeCriteriaRelay, 2.1f), chargeCriteriaRelay},
        {relayUnchanged(chargeCriteriaRelay, 1.5f), bytesOf({0x73, 0x00, 0, 0x8A, 0x00, 0})},
        {relayUnchanged(reversedRelay, 2.0f), reversedRelay},
        {relayWritten(side("12.0", cc), side("14.0", cc)), bytesOf({0x78, 0, 0, 0x8C, 0, 100})},
        {relayWritten(side("12", cc), side("14", cc), true), bytesOf({0x8C, 0, 100, 0x78, 0, 0})},
        {clockWritten("5", 13, 47), bytesOf({0x2C, 0x00, 107})},
        {clockWritten("999", 23, 59), bytesOf({0x3F, 0x1F, 179})},
        {clockWritten("0", 0, 0), bytesOf({0, 0, 0})},
        {periodic(7 * 60 + 30), bytesOf({0x27, 0xFA, 0xAA, 90, 1, 2, 3, 4, 5, 6, 0x09, 0x02})},
        {periodic(23 * 60 + 59), bytesOf({0x27, 0xFF, 0xAA, 179, 1, 2, 3, 4, 5, 6, 0x09, 0x02})},
        {Periodic::encode(Periodic::decode(unknownInterval), unknownInterval), unknownInterval},
        {intervals, bytesOf({0xFF, 0xEF, 0xBF, 0x7F, 0x6F, 0x3F, 0x2F, 0x27, 0x23, 0x21, 0x03, 0x20,
                             0x01, 0x00})},
        {erase, bytesOf({0x27, 0x72, 0x82, 0x90, 0x91, 0xA5})},
        {joined(adapterBack),
         joined({adapterRead[0], adapterRead[1], adapterRead[2], QByteArray(16, 0)})},
        {adapterWritten([](auto& s) { s.dhcp = false; }, bytesOf({0x81}))[0].left(1),
         bytesOf({0x80})},
        {adapterWritten([](auto&) {}, bytesOf({0x40}))[0].left(1), bytesOf({0x41})},
        {adapterWritten([](auto& s) { s.subnetMask = 0; })[0].mid(9, 1), bytesOf({32})},
        {adapterWritten([](auto& s) { s.port = 70000; })[1].mid(4), bytesOf({0x70, 0x11})},
        {adapterWritten([](auto& s) { s.name = "ABCDEFGHIJKLMNO"; })[2],
         nameBlock("ABCDEFGHIJKLMNO")},
        {adapterWritten([](auto& s) { s.name = "ABCDEFGHIJKLMNOPQ"; })[2],
         nameBlock("ABCDEFGHIJKLMNO")},
        {joined(adapterWritten([](auto&) {}, bytesOf({0}))),
         bytesOf({1, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0xA5, 0x06}) +
             nameBlock("ZELTRAVANIC1") + QByteArray(16, 0)},
    };
    expectEach(cases);
}

TEST(ParameterRecords, RefuseEntriesOutOfRangeWithTheDialogsMessage)
{
    const QString volts = QStringLiteral("Voltage must be between 10 - 100");
    const QString percent = QStringLiteral("Percent must be between 1 - 99");
    const QString amps = QStringLiteral("Amps must be between 1 - 99");
    const QString order =
        QStringLiteral("Less-than voltage (left) must be less than Greater-than voltage (right)");
    const QString relayVolts = QStringLiteral("Relay Voltage must be between 10 - 100");
    const QString ampHours = QStringLiteral("Amp Hrs must be between 0 - 9999");
    const QString factor = QStringLiteral("Efficiency must be between 60 - 100%");
    const QString selfDischarge = QStringLiteral("Amps must be between 0 - 9.99");
    const QString days = QStringLiteral("Days must be between 0 - 250.");
    const QString clockDay = QStringLiteral("Days must be between 0 - 999");
    const QString mask = QStringLiteral("The Subnet Mask is invalid. Please try again.");
    const QString ok;
    const auto pct = PercentUse::Percent;
    // A capacity entry ending in true has "No Battery" checked.
    const auto capacity = &Capacity::validate;
    const auto efficiency = &Efficiency::validate;
    const auto interval = &Interval::validate;
    const auto day = &Clock::validateDay;
    const auto high = &Setpoint::validateHighAlarm;
    const auto low = &Setpoint::validateLowAlarm;
    const auto charged = &Setpoint::validateChargeCriteria;
    auto relay = [](Relay::ColumnEntry left, Relay::ColumnEntry right) {
        return Relay::validate({false, left, right});
    };
    auto subnet = [](quint32 mask) {
        Net::Settings settings = Net::defaults();
        settings.subnetMask = mask;
        return Net::validate(settings);
    };

    // clang-format off
    const Case<QString> cases[] = {
        {capacity({"70000"}), ampHours}, {capacity({"10000"}), ampHours},
        {capacity({"-1"}), ampHours}, {capacity({"9999"}), ok}, {capacity({"0"}), ok},
        {capacity({"none"}), ok}, {capacity({"70000", true}), ok},
        {efficiency({"59", "10"}), factor}, {efficiency({"101", "0"}), factor},
        {efficiency({"60", "10"}), selfDischarge}, {efficiency({"100", "-0.01"}), selfDischarge},
        {efficiency({"100", "9.991"}), selfDischarge}, {efficiency({"60", "9.99"}), ok},
        {efficiency({"100", "0"}), ok},
        {interval("251"), days}, {interval("-1"), days}, {interval("250"), ok},
        {interval("abc"), ok},
        {low({"5", "0"}), percent}, {low({"12", "100"}), percent}, {low({"12", ""}), percent},
        {low({"12", "1"}), ok}, {low({"12", "99"}), ok}, {low({"9.9", "50"}), volts},
        {low({"100.1", "50"}), volts}, {low({"10", "50"}), ok}, {low({"100", "", true}), ok},
        {low({"", "", true}), volts},
        {charged({"5", "0"}), amps}, {charged({"14.4", "100"}), amps},
        {charged({"14.4", "99"}), ok}, {charged({"9.99", "5"}), volts},
        {charged({"11.5", "500", true}), ok},
        {high("9.99"), volts}, {high("15.5"), ok},
        {relay(side("13.0"), side("13.0")), order}, {relay(side("14.0"), side("13.0")), order},
        {relay(side("9.5"), side("13.0")), relayVolts},
        {relay(side("13.0"), side("100.1")), relayVolts}, {relay(side("10"), side("100")), ok},
        {relay(side("13", pct, "0"), side("13", pct, "100")), percent},
        {relay(side("13", pct, "99"), side("13", pct, "100")), percent},
        {relay(side("13", pct, "99"), side("13", pct, "1")), order},
        {day("1000"), clockDay}, {day("-1"), clockDay}, {day("999"), ok}, {day("0"), ok},
        {day(""), ok},
        {subnet(0xFF00FF00), mask}, {subnet(0x00FFFFFF), mask}, {subnet(0xFFFFFFFE), ok},
    };
    // clang-format on
    expectEach(cases);
}

// A list entry's position is the code it writes, so the lists are part of the encodings.
TEST(ParameterRecords, ShowValuesListsAndTheLogCapacityAsTheDialogsDo)
{
    QStringList intervals, alarms, buttons;
    for (int entry = 0; entry < Periodic::INTERVAL_COUNT; ++entry)
        intervals += Periodic::intervalText(entry);
    for (int alarm = 0; alarm < Alarms::ALARM_COUNT; ++alarm)
        alarms += Alarms::caption(static_cast<Alarms::Alarm>(alarm));
    for (int button = 0; button < EraseCommands::COMMAND_COUNT; ++button)
        buttons += EraseCommands::buttonText(EraseCommands::commandAt(button));
    Net::Blocks unterminated = adapterBlocks();
    unterminated[Net::BLOCK_C] = "0123456789ABCDEF";
    const Case<QString> cases[] = {
        {ParameterCoding::voltsText(138), "13.8"},
        {ParameterCoding::voltsText(1000), "100.0"},
        {Efficiency::ampsText(999), "9.99"},
        {Efficiency::ampsText(5), "0.05"},
        {Periodic::capacityText(0, DAY), "2436 days"},
        {Periodic::capacityText(0x3FF, ONE_MIN), "0.16 days"},
        {Periodic::capacityText(0x01F, ONE_HOUR), "19 days"},
        {Periodic::capacityText(0x009, ONE_HOUR), "44 days"}, // 43.5
        {Periodic::capacityText(0x007, TWO_MIN), "1.1 days"},
        {Periodic::capacityText(0, FIVE_MIN), "8.5 days"},
        {Periodic::capacityText(0, std::nullopt), "Cannot be computed"},
        {Labels::volts1Texts().join(u','), "Battery,Battery 1"},
        {Labels::ampsTexts(0).join(u','), "Amps 1,Solar,Wind,Hydro,Load,Battery,Battery 1"},
        {Labels::ampsTexts(1).join(u','), "Amps 2,Solar,Wind,Hydro,Load,Battery,Battery 2"},
        {Labels::ampsTexts(2).join(u','), "Amps 3,Solar,Wind,Hydro,Load,Battery,Battery"},
        {Shunts::shuntTexts().join(u','), "100A/100mV,500A/50mV"},
        {Filter::texts().join(u','), "0,0.5,2.0,8.0"},
        {Alarms::choiceTexts().join(u','), "OFF,ON VISUAL ONLY,ON VISUAL/AUDIBLE"},
        {alarms.join(u','), "Lo Batt:,Hi Batt:,Batt Charged:,Too many days since Charged:,"
                            "Too many days since Equalized:"},
        {buttons.join(u','), "P45: Clear Per Log Data,P46: Clear 5% Data,P47: Clear Bat 1 Cycle "
                             "Data,P48: Clear Bat 2 Cycle Data,P49: Initiaize Program Data"},
        {intervals.join(u','), "1 min,2 min,3 min,5 min,10 min,15 min,30 min,1 hr,2 hr,4 hr,6 hr,"
                               "8 hr,12 hr,24 hr"},
        {Net::decode(adapterBlocks()).name, "OFFICE-UNIT"},
        {Net::decode(unterminated).name, "0123456789ABCDEF"},
    };
    expectEach(cases);
}
