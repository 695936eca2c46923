#include "link/LinkFrame.h"

#include "link/LoginCode.h"
#include "link/SerialLineErrors.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

bool holds(const QByteArray& frame)
{
    return LinkFrame::checksumHolds(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                                    static_cast<int>(frame.size()));
}

} // namespace

TEST(LinkFrame, RequestFramesMatchTheUnitsDocumentedExamples)
{
    EXPECT_EQ(LinkFrame::read(0x0F, 4), bytesOf({0x81, 0x0F, 0x04, 0x6B}));
    EXPECT_EQ(LinkFrame::forTcp(LinkFrame::read(0x0F, 4)), bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B}));
    EXPECT_EQ(LinkFrame::read(0xF7, 1), bytesOf({0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(LinkFrame::bulkRead(0x2F00, 1), bytesOf({0xC1, 0x2F, 0x01, 0x0E}));
    const std::uint8_t data[] = {0x05};
    EXPECT_EQ(LinkFrame::write(0x10, 1, data), bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8}));
}

TEST(LinkFrame, ReadAndBulkChecksumsFollowTheirClosedFormsOverTheLowEightBits)
{
    for (int address : {0x00, 0x24, 0x7E, 0xD2, 0xFF}) {
        for (int length : {1, 2, 12, 255}) {
            const QByteArray frame = LinkFrame::read(static_cast<std::uint8_t>(address), length);
            EXPECT_EQ(byteAt(frame, 3), (0x7E - address - length) & 0xFF);
            EXPECT_TRUE(holds(frame));
        }
    }
    EXPECT_EQ(LinkFrame::bulkRead(0x31FF, 2), bytesOf({0xC1, 0x31, 0x02, 0x3E - 0x31 - 2}));
    EXPECT_EQ(byteAt(LinkFrame::read(0x10, 0x104), 2), 0x04);
    EXPECT_EQ(byteAt(LinkFrame::bulkRead(0x2000, 0x101), 2), 0x01);
}

TEST(LinkFrame, ChecksumRuleOverReplies)
{
    EXPECT_TRUE(holds(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF5})));
    EXPECT_FALSE(holds(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF4})));
    EXPECT_TRUE(holds(bytesOf({0xFF})));
    EXPECT_FALSE(holds(bytesOf({0x00})));
    EXPECT_FALSE(holds(QByteArray()));
    // The adapter's 0x00 status byte does not change the sum.
    EXPECT_TRUE(holds(bytesOf({0x00, 0x01, 0x02, 0x03, 0x04, 0xF5})));
}

TEST(LinkFrame, TheLoginCodeIsTheAdaptersFixedEightBytes)
{
    const QByteArray expected("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(LoginCode.data()), LoginCode.size()),
              expected);
}

TEST(SerialLineErrors, TheFirstMatchingFlagGivesTheCodeAndAnIoErrorMasksTheLesserOnes)
{
    // The line's error flags, restated.
    constexpr std::uint32_t Mode = 0x8000, Break = 0x0010, Frame = 0x0008, Io = 0x0400,
                            Overrun = 0x0002, RxOver = 0x0001, Parity = 0x0004, TxFull = 0x0100;
    struct Case {
        std::uint32_t flags;
        int current;
        int expected;
    };
    const Case cases[] = {
        {Mode | Break | Frame, 0, 1041},
        {Break | Frame, 0, 1032},
        {Frame | Overrun, 0, 1035},
        {Overrun | RxOver, 0, 1036},
        {RxOver | Parity, 0, 1038},
        {Parity | TxFull, 0, 1039},
        {TxFull, 0, 1040},
        {Io | Overrun, 1043, 1043},
        {Io | TxFull, 1042, 1042},
        {Io | Frame, 1043, 1035},
        {0, 1042, 1042},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SerialLineErrors::errorCodeFor(c.flags, c.current), c.expected)
            << std::hex << c.flags;
}
