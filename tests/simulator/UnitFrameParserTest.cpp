#include "simulator/UnitFrameParser.h"

#include "simulator/UnitChecksum.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

using Framing = UnitFrameParser::Framing;
using Kind = UnitRequest::Kind;

namespace {

QList<UnitRequest> parseAll(Framing framing, const QByteArray& bytes)
{
    UnitFrameParser parser(framing);
    parser.feed(bytes, 0);
    return parser.takeRequests();
}

} // namespace

TEST(UnitChecksum, makesTheWholeFrameSumTo0xFF)
{
    EXPECT_EQ(UnitChecksum::over(bytesOf({0x81, 0x0F, 0x04})), 0x6B);
    EXPECT_EQ(UnitChecksum::over(bytesOf({0x01, 0x10, 0x01, 0x05})), 0xE8);
    EXPECT_TRUE(UnitChecksum::holds(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF5})));
    EXPECT_FALSE(UnitChecksum::holds(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF4})));
}

TEST(UnitChecksum, aOneByteFrameHoldsOnlyWhenItIs0xFF)
{
    EXPECT_TRUE(UnitChecksum::holds(bytesOf({0xFF})));
    EXPECT_FALSE(UnitChecksum::holds(bytesOf({0x00})));
    EXPECT_FALSE(UnitChecksum::holds(QByteArray()));
}

TEST(UnitFrameParser, readOfAddress0x0FFourBytesOnTheSerialLine)
{
    const QList<UnitRequest> requests =
        parseAll(Framing::Serial, bytesOf({0x81, 0x0F, 0x04, 0x6B}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].kind, Kind::Read);
    EXPECT_EQ(requests[0].address, 0x0F);
    EXPECT_EQ(requests[0].count, 4);
    EXPECT_EQ(requests[0].frameSize, 4);
}

TEST(UnitFrameParser, readOverTcpCarriesTheZeroPrefix)
{
    const QList<UnitRequest> requests =
        parseAll(Framing::Network, bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].address, 0x0F);
    EXPECT_EQ(requests[0].frameSize, 5);
}

TEST(UnitFrameParser, firmwareVersionRead)
{
    const QList<UnitRequest> requests =
        parseAll(Framing::Serial, bytesOf({0x81, 0xF7, 0x01, 0x86}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].address, 0xF7);
    EXPECT_EQ(requests[0].count, 1);
}

TEST(UnitFrameParser, bulkReadNamesThePageAndTheNumberOfPages)
{
    const QList<UnitRequest> requests =
        parseAll(Framing::Serial, bytesOf({0xC1, 0x2F, 0x01, 0x0E}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].kind, Kind::BulkRead);
    EXPECT_EQ(requests[0].address, 0x2F);
    EXPECT_EQ(requests[0].count, 1);
}

TEST(UnitFrameParser, writeCarriesItsDataAndItsChecksumForTheAcknowledgement)
{
    const QList<UnitRequest> requests =
        parseAll(Framing::Serial, bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].kind, Kind::Write);
    EXPECT_EQ(requests[0].address, 0x10);
    EXPECT_EQ(requests[0].data, bytesOf({0x05}));
    EXPECT_EQ(requests[0].checksum, 0xE8);
}

TEST(UnitFrameParser, framesArrivingByteByByteComeOutWhole)
{
    UnitFrameParser parser(Framing::Network);
    const QByteArray frames =
        bytesOf({0x00, 0x01, 0x10, 0x01, 0x05, 0xE8, 0x00, 0xC1, 0x2F, 0x01, 0x0E});
    QList<UnitRequest> requests;
    for (int i = 0; i < frames.size(); ++i) {
        parser.feed(frames.mid(i, 1), i);
        const QList<UnitRequest> complete = parser.takeRequests();
        if (!complete.isEmpty()) {
            EXPECT_TRUE(i == 5 || i == 10) << "a request came out after byte " << i;
        }
        requests += complete;
    }
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].kind, Kind::Write);
    EXPECT_EQ(requests[1].kind, Kind::BulkRead);
    EXPECT_EQ(parser.pendingBytes(), 0);
}

TEST(UnitFrameParser, aFrameWithABadChecksumIsDroppedAndTheNextOneServed)
{
    UnitFrameParser parser(Framing::Serial);
    parser.feed(bytesOf({0x81, 0xF7, 0x01, 0x87, 0x81, 0xF7, 0x01, 0x86}), 0);
    const QList<UnitRequest> requests = parser.takeRequests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].checksum, 0x86);
    const QList<UnitFrameParser::Rejected> rejected = parser.takeRejected();
    ASSERT_EQ(rejected.size(), 1);
    EXPECT_EQ(rejected[0].bytes, bytesOf({0x81, 0xF7, 0x01, 0x87}));
}

TEST(UnitFrameParser, bytesThatStartNoRequestAreSkipped)
{
    const QList<UnitRequest> requests =
        parseAll(Framing::Serial, bytesOf({0x55, 0xAA, 0x81, 0xF7, 0x01, 0x86}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].address, 0xF7);
}

TEST(UnitFrameParser, aNetworkFrameWithoutItsPrefixIsNotServed)
{
    UnitFrameParser parser(Framing::Network);
    parser.feed(bytesOf({0x81, 0xF7, 0x01, 0x86}), 0);
    EXPECT_TRUE(parser.takeRequests().isEmpty());
    EXPECT_FALSE(parser.takeRejected().isEmpty());
}

TEST(UnitFrameParser, aPartialFrameLeftWaitingGoesStale)
{
    UnitFrameParser parser(Framing::Serial, 500);
    parser.feed(bytesOf({0x81, 0xF7}), 1000);
    parser.feed(bytesOf({0x81, 0xF7, 0x01, 0x86}), 1600);
    const QList<UnitRequest> requests = parser.takeRequests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].address, 0xF7);
    EXPECT_EQ(parser.takeRejected().size(), 1);
}

TEST(UnitFrameParser, aPartialFrameCompletedInTimeIsServed)
{
    UnitFrameParser parser(Framing::Serial, 500);
    parser.feed(bytesOf({0x81, 0xF7}), 1000);
    parser.feed(bytesOf({0x01, 0x86}), 1400);
    EXPECT_EQ(parser.takeRequests().size(), 1);
}
