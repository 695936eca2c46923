#include "link/CUnitLink.h"
#include "programming/BatteryCapacityRecord.h"
#include "programming/NetworkAdapterBlocks.h"
#include "programming/ParameterSession.h"
#include "programming/ParameterTable.h"
#include "programming/UnitClockRecords.h"
#include "tests/programming/MenuStandIn.h"
#include "tests/programming/RecordUnit.h"
#include "tests/programming/SerialUnitFixture.h"
#include "tests/programming/TestBytes.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Result = ParameterSession::WriteResult;
using Verdict = WriteAcknowledgement::Verdict;

namespace {

const QString READ_ERROR = QStringLiteral("Error reading data from Zeltravanic unit.");
const QString BAD_ACKNOWLEDGEMENT = QStringLiteral("Error: Received bad checksum on Seriel Port.");

// Slots restated: P14, P38 (two records), P45-49 command, network adapter records.
constexpr int P14 = 7;
constexpr int P38_DAY = 24;
constexpr int P38_MINUTE = 25;
constexpr int COMMAND = 29;
constexpr int NETWORK_A = 30;

QByteArray readFrame(int address, int length)
{
    return withChecksum(bytes({0x81, address, length}));
}

QByteArray writeFrame(int address, const QByteArray& data)
{
    return withChecksum(bytes({0x01, address, static_cast<int>(data.size())}) + data);
}

// The serial unit and menu stand-in, reading through a session.
class SerialSession : public SerialUnitFixture {
protected:
    void readSlots(ParameterSession& session)
    {
        ASSERT_TRUE(session.read());
        ASSERT_TRUE(EventPump::waitUntil([&] { return session.hasRead(); }));
    }
};

} // namespace

TEST_F(SerialSession, ReadsItsRecordWhenAskedAndHandsTheBytesOverFromTheEventQueue)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    ParameterSession session(link, prompts, {&table.slot(P14)});
    QSignalSpy read(&session, &ParameterSession::recordsRead);

    ASSERT_TRUE(session.read());
    EXPECT_EQ(serialUnit.frames(), QList<QByteArray>{bytes({0x81, 0xF2, 0x02, 0x8A})});
    EXPECT_FALSE(session.hasRead());

    ASSERT_TRUE(EventPump::waitUntil([&] { return session.hasRead(); }));
    EXPECT_EQ(read.count(), 1);
    EXPECT_EQ(session.bytesRead(), bytes({0xC8, 0x00}));
    EXPECT_EQ(BatteryCapacityRecord::decode(session.bytesRead()), 200);
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_TRUE(menu.replies().isEmpty()) << "the reply went to the session, not the menu";
}

TEST_F(SerialSession, WritesOnOkWithTheMenuCheckingTheAcknowledgement)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    ParameterSession session(link, prompts, {&table.slot(P14)});
    readSlots(session);

    ASSERT_EQ(session.write(BatteryCapacityRecord::encode(9999), &menu), Result::Sent);
    EXPECT_EQ(serialUnit.frames().last(), bytes({0x01, 0xF2, 0x02, 0x0F, 0x27, 0xD4}));
    EXPECT_EQ(unit.record(0xF2), bytes({0x0F, 0x27}));
    EXPECT_EQ(table.slot(P14).value().left(2), bytes({0x0F, 0x27}));

    ASSERT_TRUE(EventPump::waitUntil([&] { return !menu.verdicts().isEmpty(); }));
    EXPECT_EQ(menu.verdicts(), QList<Verdict>{Verdict::Matches});
    EXPECT_EQ(menu.replies().first().tag, 0xD4);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(SerialSession, ABadAcknowledgementIsShownAsString2601ByTheMenu)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    ParameterSession session(link, prompts, {&table.slot(P14)});
    readSlots(session);
    unit.spoilAcknowledgements(1);

    ASSERT_EQ(session.write(BatteryCapacityRecord::encode(0), &menu), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !menu.verdicts().isEmpty(); }));
    EXPECT_EQ(menu.verdicts(), QList<Verdict>{Verdict::Mismatch});
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
}

TEST_F(SerialSession, ARecordThatWasNeverReadIsNeverWritten)
{
    ParameterSession session(link, prompts, {&table.slot(P14)});
    EXPECT_EQ(session.write(BatteryCapacityRecord::encode(0), &menu), Result::NeverRead);
    EXPECT_EQ(session.writeInTurn({BatteryCapacityRecord::encode(0)}), Result::NeverRead);
    EXPECT_TRUE(serialUnit.frames().isEmpty());
    EXPECT_EQ(table.slot(P14).value(), QByteArray(13, '\0'));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(SerialSession, ARefusedReadShowsString1043AndLeavesTheRecordUnwritable)
{
    unit.setMute(true);
    ParameterSession session(link, prompts, {&table.slot(P14)});
    QSignalSpy refused(&session, &ParameterSession::readRefused);

    EXPECT_FALSE(session.read());
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(prompts.texts(), QStringList{READ_ERROR});

    unit.setMute(false);
    EXPECT_EQ(session.write(BatteryCapacityRecord::encode(0), &menu), Result::NeverRead);
    EXPECT_EQ(serialUnit.frames(), QList<QByteArray>{readFrame(0xF2, 2)});
}

TEST_F(SerialSession, ARefusedWriteShowsString1043AndKeepsTheCachedValue)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    ParameterSession session(link, prompts, {&table.slot(P14)});
    readSlots(session);
    table.slot(P14).storeValue(bytes({0x64, 0x00}));
    unit.setMute(true);

    EXPECT_EQ(session.write(BatteryCapacityRecord::encode(300), &menu), Result::Refused);
    EXPECT_EQ(prompts.texts(), QStringList{READ_ERROR});
    EXPECT_EQ(table.slot(P14).value().left(2), bytes({0x64, 0x00}));
}

TEST_F(SerialSession, TheClockIsReadAndWrittenInTwoStepsEachAfterTheAcknowledgement)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    ParameterSession session(link, prompts, {&table.slot(P38_DAY), &table.slot(P38_MINUTE)});
    readSlots(session);
    EXPECT_EQ(serialUnit.frames(), (QList<QByteArray>{readFrame(0xF9, 2), readFrame(0x24, 1)}));
    const auto clock = UnitClockRecords::decode(session.bytesRead(0), session.bytesRead(1));
    EXPECT_EQ(clock.day, 5);
    EXPECT_EQ(clock.minuteOfDay, 13 * 60 + 47);

    QSignalSpy done(&session, &ParameterSession::writesDone);
    const auto typed = UnitClockRecords::toValues(QStringLiteral("999"), 23, 59);
    ASSERT_EQ(session.writeInTurn({UnitClockRecords::encodeDayRecord(typed),
                                   UnitClockRecords::encodeMinuteRecord(typed)}),
              Result::Sent);
    EXPECT_EQ(table.slot(P38_DAY).value().left(2), bytes({0x3F, 0x1F}));
    EXPECT_EQ(table.slot(P38_MINUTE).value().left(1), bytes({179}));
    EXPECT_EQ(unit.writes().size(), 1) << "the minute waits for the first acknowledgement";

    ASSERT_TRUE(EventPump::waitUntil([&] { return done.count() == 1; }));
    const auto writes = unit.writes();
    ASSERT_EQ(writes.size(), 2);
    EXPECT_EQ(writes[0].address, 0xF9);
    EXPECT_EQ(writes[0].data, bytes({0x3F, 0x1F}));
    EXPECT_EQ(writes[1].address, 0x24);
    EXPECT_EQ(writes[1].data, bytes({179}));
    EXPECT_TRUE(menu.replies().isEmpty()) << "the session owned both acknowledgements";
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(SerialSession, ABadClockAcknowledgementStopsTheWritingUntilOkIsPressedAgain)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    ParameterSession session(link, prompts, {&table.slot(P38_DAY), &table.slot(P38_MINUTE)});
    readSlots(session);
    QSignalSpy rejected(&session, &ParameterSession::writeRejected);
    QSignalSpy done(&session, &ParameterSession::writesDone);
    const QList<QByteArray> clock = {bytes({0x2C, 0x00}), bytes({100})};
    unit.spoilAcknowledgements(1);

    ASSERT_EQ(session.writeInTurn(clock), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return rejected.count() == 1; }));
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
    EventPump::deliverPosted();
    EXPECT_EQ(unit.writes().size(), 1);
    EXPECT_EQ(done.count(), 0);

    ASSERT_EQ(session.writeInTurn(clock), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return done.count() == 1; }));
    ASSERT_EQ(unit.writes().size(), 3);
    EXPECT_EQ(unit.writes()[1].address, 0xF9) << "both records again";
    EXPECT_EQ(unit.writes()[2].address, 0x24);
}

TEST_F(SerialSession, TheNetworkBlocksAreWrittenInTurnAndTheLastAcknowledgementGoesToTheMenu)
{
    using namespace NetworkAdapterBlocks;
    unit.setRecord(0x90, bytes({0x01, 10, 0, 0, 7, 10, 0, 0, 1, 8, 10, 0, 0, 1}));
    unit.setRecord(0x91, bytes({0, 0, 0, 0, 0xA5, 0x06}));
    unit.setRecord(0x92, QByteArray("ZELTRAVANIC1\0\0\0\0", 16));
    unit.setRecord(0x93, QByteArray(16, '\x33'));
    QList<CProgramData*> records;
    for (int slot = NETWORK_A; slot < NETWORK_A + 4; ++slot)
        records.append(&table.slot(slot));
    ParameterSession session(link, prompts, records);
    readSlots(session);
    EXPECT_EQ(serialUnit.frames(), (QList<QByteArray>{readFrame(0x90, 14), readFrame(0x91, 6),
                                                      readFrame(0x92, 16), readFrame(0x93, 16)}));

    Blocks read;
    for (int i = 0; i < BLOCK_COUNT; ++i)
        read[static_cast<std::size_t>(i)] = session.bytesRead(i);
    Settings settings = decode(read);
    EXPECT_EQ(settings.name, QStringLiteral("ZELTRAVANIC1"));
    settings.subnetMask = 0xFFFF0000;
    settings.port = 70000;
    const Blocks written = encode(settings, read[BLOCK_A]);

    QSignalSpy done(&session, &ParameterSession::writesDone);
    ASSERT_EQ(session.writeInTurn({written.begin(), written.end()}, &menu), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return done.count() == 1; }));
    ASSERT_TRUE(EventPump::waitUntil([&] { return menu.verdicts().size() == 1; }));
    EXPECT_EQ(menu.verdicts(), QList<Verdict>{Verdict::Matches}) << "only block D's";

    const auto writes = unit.writes();
    ASSERT_EQ(writes.size(), 4);
    EXPECT_EQ(writes[0].data, bytes({0x01, 10, 0, 0, 7, 10, 0, 0, 1, 16, 10, 0, 0, 1}));
    EXPECT_EQ(writes[1].data, bytes({0, 0, 0, 0, 0x70, 0x11}));
    EXPECT_EQ(writes[2].data, QByteArray("ZELTRAVANIC1\0\0\0\0", 16));
    EXPECT_EQ(writes[3].data, QByteArray(16, '\0'));
    EXPECT_EQ(serialUnit.frames().last(), writeFrame(0x93, QByteArray(16, '\0')));
    EXPECT_EQ(table.slot(NETWORK_A).value(), writes[0].data.left(13)) << "cut to the cache";
    EXPECT_EQ(table.slot(NETWORK_A + 2).value(), writes[2].data.left(13));
}

TEST_F(SerialSession, ACommandIsWrittenWithoutReadingAndItsAcknowledgementChecked)
{
    ParameterSession session(link, prompts, {&table.slot(COMMAND)});
    QSignalSpy rejected(&session, &ParameterSession::writeRejected);

    ASSERT_EQ(session.writeCommand(0x72), Result::Sent);
    EXPECT_EQ(serialUnit.frames(), QList<QByteArray>{bytes({0x01, 0x27, 0x01, 0x72, 0x64})});
    EventPump::deliverPosted();
    EXPECT_TRUE(prompts.shown().isEmpty());

    unit.spoilAcknowledgements(1);
    ASSERT_EQ(session.writeCommand(0xA5), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return rejected.count() == 1; }));
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
    EXPECT_TRUE(menu.replies().isEmpty());

    unit.setMute(true);
    prompts.clear();
    EXPECT_EQ(session.writeCommand(0x90), Result::Refused);
    EXPECT_EQ(prompts.texts(), QStringList{READ_ERROR});
}

TEST_F(SerialSession, OnlyTheCommandRecordIsWrittenUnread)
{
    ParameterSession session(link, prompts, {&table.slot(P14)});
    EXPECT_EQ(session.writeCommand(0x72), Result::NeverRead);
    EXPECT_TRUE(serialUnit.frames().isEmpty());
}
