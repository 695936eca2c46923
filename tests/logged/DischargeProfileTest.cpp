#include "LogImages.h"
#include "LoggedTestSupport.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/DischargeProfileDecoder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString Header = QStringLiteral("Day of Month,Percent Full,Filtered Volts,Filtered Amps");

struct Decoded {
    std::vector<CIntData> pool = std::vector<CIntData>(756);
    std::vector<CIntData*> battery1;
    std::vector<CIntData*> battery2;
    int count = 0;
};

void decodeInto(Decoded& decoded, const QByteArray& area, int newest, bool wrapped,
                bool present = true)
{
    decoded.count = DischargeProfileDecoder::decode(area, newest, wrapped, present, decoded.pool,
                                                    decoded.battery1, decoded.battery2);
}

// Every ring entry numbered by its index: day = index / 50 % 32, volts = index / 10 counts.
DischargeProfileImage numberedRing()
{
    DischargeProfileImage image;
    for (int index = 0; index < 756; ++index) {
        image.setEntry(index, 0, static_cast<std::uint16_t>(((index / 50 % 32) << 11) | index), 0);
    }
    return image;
}

int indexOf(const CIntData* entry)
{
    return static_cast<int>(std::lround(entry->volts / 0.05f));
}

} // namespace

TEST(DischargeProfileDecoder, entry_decodesBatteryPercentDayVoltsAndAmps)
{
    QByteArray area(4096, '\0');
    // Entry 1: battery 2, 31 x 5 percent (bits 5 and 6 set as well), day 17, 252 counts, amps
    // -250 x 0.01 with bits 10, 11 and 14 set.
    area.replace(5, 5, QByteArray::fromHex("fffc88fadc"));
    Decoded decoded;

    decodeInto(decoded, area, 5, false);

    ASSERT_EQ(decoded.count, 1);
    ASSERT_TRUE(decoded.battery1.empty());
    ASSERT_EQ(decoded.battery2.size(), 1u);
    const CIntData& entry = *decoded.battery2[0];
    EXPECT_EQ(entry.present, 1);
    EXPECT_EQ(entry.percentFull, 155);
    EXPECT_EQ(entry.dayOfMonth, 17);
    EXPECT_FLOAT_EQ(entry.volts, 12.6f);
    EXPECT_FLOAT_EQ(entry.amps, -2.5f);
}

TEST(DischargeProfileDecoder, ampsScaleCodes)
{
    EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(0x01F4), 0.5f);
    EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(0x11F4), 5.0f);
    EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(0x21F4), 50.0f);
    EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(0x31F4), 500.0f);
    EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(0x90FA), -2.5f);
    EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(0x5C07), 0.07f);
}

TEST(DischargeProfileDecoder, notPresentOrPointerAtStart_givesNoEntries)
{
    Decoded decoded;
    decodeInto(decoded, numberedRing().bytes(), 0x0100, false, false);
    EXPECT_EQ(decoded.count, 0);
    decodeInto(decoded, numberedRing().bytes(), 0, false);
    EXPECT_EQ(decoded.count, 0);
    EXPECT_TRUE(decoded.battery1.empty());
}

TEST(DischargeProfileDecoder, notWrapped_startsAtEntryOneAndEndsAtTheNewest)
{
    Decoded decoded;
    // Block 2, entry 3.
    decodeInto(decoded, numberedRing().bytes(), 128 + 15, false);

    ASSERT_EQ(decoded.count, 27);
    ASSERT_EQ(decoded.battery1.size(), 27u);
    EXPECT_EQ(indexOf(decoded.battery1.front()), 1);
    EXPECT_EQ(indexOf(decoded.battery1.back()), 27);
}

TEST(DischargeProfileDecoder, wrappedAtLastEntryOfBlockZero_startsAtBlockOne)
{
    Decoded decoded;
    decodeInto(decoded, numberedRing().bytes(), 0x0037, true);

    ASSERT_EQ(decoded.count, 756);
    EXPECT_EQ(indexOf(decoded.battery1.front()), 12);
    EXPECT_EQ(indexOf(decoded.battery1[743]), 755);
    EXPECT_EQ(indexOf(decoded.battery1[744]), 0);
    EXPECT_EQ(indexOf(decoded.battery1.back()), 11);
}

TEST(DischargeProfileDecoder, wrapped_continuesAfterTheNewestInItsBlock)
{
    Decoded decoded;
    // Block 3, entry 4: the oldest entry is entry 5 of the same block.
    decodeInto(decoded, numberedRing().bytes(), 192 + 20, true);

    ASSERT_EQ(decoded.count, 756);
    EXPECT_EQ(indexOf(decoded.battery1.front()), 41);
    EXPECT_EQ(indexOf(decoded.battery1.back()), 40);
}

TEST(DischargeProfileDecoder, entries_goToTheirBatteryInVisitOrder)
{
    DischargeProfileImage image;
    for (int index = 1; index <= 6; ++index)
        image.setEntry(index, index % 3 == 0 ? 0x80 : 0x00, static_cast<std::uint16_t>(index), 0);
    Decoded decoded;

    decodeInto(decoded, image.bytes(), 6 * 5, false);

    ASSERT_EQ(decoded.count, 6);
    ASSERT_EQ(decoded.battery1.size(), 4u);
    ASSERT_EQ(decoded.battery2.size(), 2u);
    EXPECT_EQ(indexOf(decoded.battery2[0]), 3);
    EXPECT_EQ(indexOf(decoded.battery2[1]), 6);
    EXPECT_EQ(indexOf(decoded.battery1[3]), 5);
}

TEST(DischargeProfileCsv, fileText_writesOneRowPerEntry)
{
    DischargeProfileImage image;
    image.setEntry(1, 0x1F, (17 << 11) | 252, 0x90FA);
    image.setEntry(2, 0x10, (18 << 11) | 240, 0x2005);
    Decoded decoded;
    decodeInto(decoded, image.bytes(), 10, false);

    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery1),
              Header + QStringLiteral("\r17,155%,12.60,-2.50\r18,80%,12.00,0.50"));
}

TEST(DischargeProfileCsv, reversedEntries_areWrittenNewestFirst)
{
    DischargeProfileImage image;
    image.setEntry(1, 0x01, (1 << 11) | 200, 0);
    image.setEntry(2, 0x02, (2 << 11) | 220, 0);
    Decoded decoded;
    decodeInto(decoded, image.bytes(), 10, false);
    std::reverse(decoded.battery1.begin(), decoded.battery1.end());

    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery1),
              Header + QStringLiteral("\r2,10%,11.00,0.00\r1,5%,10.00,0.00"));
}
