#include "link/CUnitLink.h"
#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyLogDecoder.h"
#include "logged/PeriodicLogDecoder.h"
#include "simulator/FaultPlan.h"
#include "simulator/Scenario.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/TcpEndpoint.h"
#include "tests/support/EventPump.h"
#include "tests/support/LinkWindow.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int Idle = 2;

// The logs of a unit whose clock stands still (no real time passes for it), fetched through
// the program's link and read by the program's decoders: the writers and the decoders were
// written apart, so here each checks the other.
class LoggedDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Scenario::apply(QStringLiteral("wrapped"), unit));
        QString error;
        ASSERT_TRUE(adapter.listen(0, &error)) << error.toStdString();
        link.SetOwner(&window);
        link.SetPortType(1);
        link.SetHost(QStringLiteral("127.0.0.1"), adapter.port());
        ASSERT_EQ(link.Open(), 1);
        ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
    }

    void TearDown() override { link.Close(); }

    QByteArray awaitData()
    {
        EventPump::waitUntil([this] { return !window.replies().isEmpty(); });
        const QList<RecordingReceiver::Message> replies = window.replies();
        link.ReplyDone();
        return replies.isEmpty() ? QByteArray() : replies.first().data.left(replies.first().wParam);
    }

    QByteArray read(quint8 address, int length)
    {
        window.clear();
        EXPECT_EQ(link.Read(&window, address, length, 18, 0), 1);
        return awaitData();
    }

    // As the download reads an area: a few pages per request.
    QByteArray area(quint16 start, int size, int pagesPerRequest)
    {
        QByteArray bytes;
        for (int offset = 0; offset < size; offset += pagesPerRequest * 256) {
            window.clear();
            EXPECT_EQ(link.BulkRead(static_cast<quint16>(start + offset), pagesPerRequest, 6), 1);
            bytes += awaitData();
        }
        return bytes;
    }

    SimulatedUnit unit{0, 0};
    FaultPlan faults;
    TcpEndpoint adapter{unit, faults, SessionSettings{}};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
};

} // namespace

TEST_F(LoggedDownload, thePeriodicLogReadsBackEveryTenMinutesUpToTheClock)
{
    const QByteArray pointerRecord = read(0xD2, 4);
    const int pointer = (byteAt(pointerRecord, 3) & 0x3F) << 8 | byteAt(pointerRecord, 2);
    const QByteArray bytes = area(0x0300, 7424, 1);
    ASSERT_EQ(bytes.size(), 7424);
    std::vector<CPerData> records(PeriodicLogDecoder::Capacity);
    const int count = PeriodicLogDecoder::decode(bytes, pointer - 0x0300, 0, records);
    // 23-byte records, two to a block, all 116 blocks in use.
    EXPECT_GE(count, 115 * 2 + 1);
    EXPECT_LE(count, 116 * 2);
    for (int i = 1; i < count; ++i)
        ASSERT_EQ(records[i].time - records[i - 1].time, 600) << i;
    // The scenario ran 75 days from midnight: the newest record is from day 75, 00:00.
    EXPECT_EQ(records[count - 1].time, 75 * 86400);
    EXPECT_EQ(records[count - 1].itemFlags, 0x3FF);
    const float volts = records[count - 1].volts1;
    EXPECT_GT(volts, 11.0f);
    EXPECT_LT(volts, 15.0f);
}

TEST_F(LoggedDownload, theEfficiencyLogsGiveTheCyclesTheUnitCounted)
{
    const QByteArray indexes = area(0x2F00, 256, 1).mid(0xFC);
    for (int battery = 0; battery < 2; ++battery) {
        const QByteArray bytes = area(battery == 0 ? 0x3000 : 0x3800, 2048, 2);
        const int newest = byteAt(indexes, 2 * battery);
        const bool wrapped = (byteAt(indexes, 2 * battery + 1) & 0x80) != 0;
        std::vector<CEffData> records(EfficiencyLogDecoder::RingSize);
        const int count = EfficiencyLogDecoder::decode(bytes, newest, wrapped, 0, records);
        ASSERT_GE(count, 10) << battery;
        EfficiencyLogDecoder::compute(std::span(records).first(static_cast<std::size_t>(count)));
        // The newest cycle as the unit's own books have it.
        const CycleHistory::Cycle last = unit.model().cycles(battery).cycles().last();
        const CEffData& newestRecord = records[static_cast<std::size_t>(count - 1)];
        EXPECT_EQ(newestRecord.valid, 1);
        EXPECT_NEAR(newestRecord.chargeAmpHours, last.chargeAmpHours, 0.02) << battery;
        EXPECT_NEAR(-newestRecord.dischargeAmpHours, last.dischargeAmpHours, 0.02) << battery;
        EXPECT_NEAR(newestRecord.cycleHours, last.hours, 1.0 / 60) << battery;
        EXPECT_GT(newestRecord.chargeEfficiency, 0.6f);
        EXPECT_LE(newestRecord.chargeEfficiency, 1.0f);
    }
}

TEST_F(LoggedDownload, theWrappedDischargeProfileHoldsAllItsEntries)
{
    const QByteArray pointerRecord = read(0xD1, 3);
    const int word = byteAt(pointerRecord, 2) << 8 | byteAt(pointerRecord, 1);
    ASSERT_NE(word & 0x8000, 0);
    const QByteArray bytes = area(0x2000, 4096, 2);
    std::vector<CIntData> pool(DischargeProfileDecoder::Capacity);
    std::vector<CIntData*> battery1;
    std::vector<CIntData*> battery2;
    const int count = DischargeProfileDecoder::decode(bytes, (word & 0x3FFF) - 0x2000, true, true,
                                                      pool, battery1, battery2);
    EXPECT_EQ(count, 756);
    EXPECT_EQ(battery1.size() + battery2.size(), 756u);
    for (const CIntData* entry : battery1) {
        ASSERT_LT(entry->amps, 0.0f); // logged while discharging
        ASSERT_EQ(entry->percentFull % 5, 0);
        ASSERT_GE(entry->dayOfMonth, 1);
        ASSERT_LE(entry->dayOfMonth, 31);
    }
}
