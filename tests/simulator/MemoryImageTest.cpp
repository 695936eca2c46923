#include "simulator/MemoryImage.h"

#include "logged/PeriodicLogDecoder.h"
#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

int periodicPointer(const QByteArray& record)
{
    return (byteAt(record, 2) | byteAt(record, 3) << 8) & 0x3FFF;
}

// How many periodic records the program reads from the unit.
int periodicRecords(SimulatedUnit& unit)
{
    std::vector<CPerData> pool(PeriodicLogDecoder::Capacity);
    return PeriodicLogDecoder::decode(unit.bulkRead(0x03, 29),
                                      periodicPointer(unit.read(0xD2, 4)) - 0x0300, 0, pool);
}

} // namespace

TEST(MemoryImage, IsTheLogMemoryThenRecord0xD2ThenRecord0xD1AndNoOtherSize)
{
    SimulatedUnit unit(0, 0);
    unit.fastForward(2);
    const QByteArray bytes = unit.image().toBytes();
    ASSERT_EQ(bytes.size(), 16391);
    EXPECT_EQ(bytes.left(16384), unit.bulkRead(0x00, 64));
    EXPECT_EQ(bytes.mid(16384, 4), unit.read(0xD2, 4));
    EXPECT_EQ(bytes.mid(16388, 3), unit.read(0xD1, 3));

    MemoryImage image;
    EXPECT_FALSE(image.fromBytes(QByteArray(16390, '\0')));
    EXPECT_FALSE(image.errorString().isEmpty());
    QBuffer longer;
    longer.setData(QByteArray(16392, '\0'));
    longer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(image.read(longer));
}

TEST(MemoryImage, TheSavedWeekStillLoadsAndTheUnitLogsOnAfterIt)
{
    // A week at the factory settings, saved by an earlier simulator: hourly records.
    MemoryImage image;
    ASSERT_TRUE(image.load(QStringLiteral(GORVANE_TEST_DATA "/simulator/week.img")))
        << image.errorString().toStdString();
    SimulatedUnit unit(7, 0);
    unit.restore(image);
    EXPECT_EQ(unit.read(0xD2, 4), image.periodicRecord);
    EXPECT_EQ(unit.read(0xD1, 3), image.dischargeRecord);
    EXPECT_EQ(periodicRecords(unit), 7 * 24);
    unit.advance(3600);
    EXPECT_EQ(periodicRecords(unit), 7 * 24 + 1);
    // Records since the log was cleared.
    EXPECT_EQ(byteAt(image.periodicRecord, 0) | byteAt(image.periodicRecord, 1) << 8, 7 * 24);
}
