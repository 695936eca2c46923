#include "link/LinkFrame.h"

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

TEST(LinkFrame, ReadAndBulkChecksumsFollowTheirClosedForms)
{
    for (int address : {0x00, 0x24, 0x7E, 0xD2, 0xFF}) {
        for (int length : {1, 2, 12, 255}) {
            const QByteArray frame = LinkFrame::read(static_cast<std::uint8_t>(address), length);
            EXPECT_EQ(static_cast<std::uint8_t>(frame[3]),
                      static_cast<std::uint8_t>(0x7E - address - length));
            EXPECT_TRUE(holds(frame));
        }
    }
    const QByteArray bulk = LinkFrame::bulkRead(0x31FF, 2);
    EXPECT_EQ(bulk, bytesOf({0xC1, 0x31, 0x02, static_cast<std::uint8_t>(0x3E - 0x31 - 2)}));
}

TEST(LinkFrame, LengthAndPageCountTakeTheLowEightBits)
{
    EXPECT_EQ(LinkFrame::read(0x10, 0x104)[2], char(0x04));
    EXPECT_EQ(LinkFrame::bulkRead(0x2000, 0x101)[2], char(0x01));
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

TEST(SerialLineErrors, FirstMatchingFlagGivesTheCode)
{
    using namespace SerialLineErrors;
    EXPECT_EQ(errorCodeFor(CE_MODE | CE_BREAK | CE_FRAME, 0), 1041);
    EXPECT_EQ(errorCodeFor(CE_BREAK | CE_FRAME, 0), 1032);
    EXPECT_EQ(errorCodeFor(CE_FRAME | CE_OVERRUN, 0), 1035);
    EXPECT_EQ(errorCodeFor(CE_OVERRUN | CE_RXOVER, 0), 1036);
    EXPECT_EQ(errorCodeFor(CE_RXOVER | CE_RXPARITY, 0), 1038);
    EXPECT_EQ(errorCodeFor(CE_RXPARITY | CE_TXFULL, 0), 1039);
    EXPECT_EQ(errorCodeFor(CE_TXFULL, 0), 1040);
}

TEST(SerialLineErrors, AnIoErrorMasksTheLesserFlagsAndNoMatchKeepsTheCode)
{
    using namespace SerialLineErrors;
    EXPECT_EQ(errorCodeFor(CE_IOE | CE_OVERRUN, 1043), 1043);
    EXPECT_EQ(errorCodeFor(CE_IOE | CE_TXFULL, 1042), 1042);
    EXPECT_EQ(errorCodeFor(CE_IOE | CE_FRAME, 1043), 1035);
    EXPECT_EQ(errorCodeFor(0, 1042), 1042);
}
