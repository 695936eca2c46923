#include "simulator/MemoryImage.h"

#include "logged/PeriodicLogDecoder.h"
#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// How many periodic records the program reads from the unit.
int periodicRecords(SimulatedUnit& unit)
{
    const QByteArray record = unit.read(0xD2, 4);
    const int newest = (byteAt(record, 2) | byteAt(record, 3) << 8) & 0x3FFF;
    std::vector<CPerData> pool(PeriodicLogDecoder::Capacity);
    return PeriodicLogDecoder::decode(unit.bulkRead(0x03, 29), newest - 0x0300, 0, pool);
}

} // namespace

TEST(MemoryImage, TheSavedWeekIsTheLogMemoryThenRecord0xD2ThenRecord0xD1AndTheUnitLogsOn)
{
    // A week at the factory settings, saved by an earlier simulator: hourly records.
    MemoryImage image;
    ASSERT_TRUE(image.load(QStringLiteral(GORVANE_TEST_DATA "/simulator/week.img")))
        << image.errorString().toStdString();
    SimulatedUnit unit(7, 0);
    unit.restore(image);
    const QByteArray bytes = unit.image().toBytes();
    ASSERT_EQ(bytes, image.toBytes());
    ASSERT_EQ(bytes.size(), 16391);
    EXPECT_EQ(bytes.left(16384), unit.bulkRead(0x00, 64));
    EXPECT_EQ(bytes.mid(16384, 4), unit.read(0xD2, 4));
    EXPECT_EQ(bytes.mid(16388, 3), unit.read(0xD1, 3));
    // Records since the log was cleared, all read by the program; an hour adds one.
    EXPECT_EQ(byteAt(bytes, 16384) | byteAt(bytes, 16385) << 8, 7 * 24);
    EXPECT_EQ(periodicRecords(unit), 7 * 24);
    unit.advance(3600);
    EXPECT_EQ(periodicRecords(unit), 7 * 24 + 1);
    // No other size will do.
    EXPECT_FALSE(image.fromBytes(bytes.chopped(1)));
    EXPECT_FALSE(image.errorString().isEmpty());
    QBuffer longer;
    longer.setData(bytes + '\0');
    longer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(image.read(longer));
}
