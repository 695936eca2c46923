#include "simulator/MemoryImage.h"

#include "simulator/SimulatedUnit.h"
#include "tests/simulator/LogReaders.h"
#include "tests/support/TestBytes.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int wordAt(const QByteArray& bytes, int index)
{
    return byteAt(bytes, index) | byteAt(bytes, index + 1) << 8;
}

QByteArray pages(SimulatedUnit& unit)
{
    return unit.bulkRead(0x00, 64);
}

} // namespace

TEST(MemoryImage, isTheLogMemoryThenRecord0xD2ThenRecord0xD1)
{
    SimulatedUnit unit(0, 0);
    unit.fastForward(2);
    const QByteArray bytes = unit.image().toBytes();
    ASSERT_EQ(bytes.size(), 16391);
    EXPECT_EQ(bytes.left(16384), pages(unit));
    EXPECT_EQ(bytes.mid(16384, 4), unit.read(0xD2, 4));
    EXPECT_EQ(bytes.mid(16388, 3), unit.read(0xD1, 3));
}

TEST(MemoryImage, anImageOfAnyOtherSizeIsRefused)
{
    MemoryImage image;
    EXPECT_FALSE(image.fromBytes(QByteArray(16390, '\0')));
    EXPECT_FALSE(image.errorString().isEmpty());
    QBuffer longer;
    longer.setData(QByteArray(16392, '\0'));
    longer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(image.read(longer));
}

TEST(MemoryImage, aRestoredUnitServesTheSameLogsAndCarriesOn)
{
    SimulatedUnit first(0, 0);
    first.fastForward(3);
    QTemporaryDir folder;
    const QString file = folder.filePath("unit.img");
    MemoryImage saved = first.image();
    ASSERT_TRUE(saved.save(file)) << saved.errorString().toStdString();

    MemoryImage loaded;
    ASSERT_TRUE(loaded.load(file));
    SimulatedUnit second(3, 0);
    second.restore(loaded);
    EXPECT_EQ(pages(second), pages(first));
    EXPECT_EQ(second.read(0xD2, 4), first.read(0xD2, 4));
    EXPECT_EQ(second.read(0xD1, 3), first.read(0xD1, 3));

    // The next hourly record follows the newest one of the image.
    const int before = wordAt(second.read(0xD2, 4), 2) & 0x3FFF;
    second.advance(3600);
    const QList<int> order =
        LogReaders::periodicRecords(second.bulkRead(0x03, 29), wordAt(second.read(0xD2, 4), 2));
    ASSERT_GE(order.size(), 2);
    EXPECT_EQ(order.at(order.size() - 2) + 0x0300, before);
}

TEST(MemoryImage, theSavedWeekStillLoads)
{
    // A week at the factory settings, saved by an earlier simulator: hourly records.
    MemoryImage image;
    ASSERT_TRUE(image.load(QStringLiteral(GORVANE_TEST_DATA "/simulator/week.img")))
        << image.errorString().toStdString();
    SimulatedUnit unit;
    unit.restore(image);
    EXPECT_EQ(unit.read(0xD2, 4), image.periodicRecord);
    EXPECT_EQ(unit.read(0xD1, 3), image.dischargeRecord);
    const QList<int> order =
        LogReaders::periodicRecords(unit.bulkRead(0x03, 29), wordAt(image.periodicRecord, 2));
    EXPECT_EQ(order.size(), 7 * 24);
    EXPECT_EQ(wordAt(image.periodicRecord, 0), 7 * 24); // records since the log was cleared
}
