#include "simulator/UnitFrameParser.h"

#include "simulator/UnitChecksum.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

using Framing = UnitFrameParser::Framing;
using Kind = UnitRequest::Kind;

QList<UnitRequest> parseAll(Framing framing, const QByteArray& bytes)
{
    UnitFrameParser parser(framing);
    parser.feed(bytes, 0);
    return parser.takeRequests();
}

} // namespace

TEST(UnitChecksum, MakesTheWholeFrameSumTo0xFFAndAOneByteFrameHoldsOnlyAs0xFF)
{
    EXPECT_EQ(UnitChecksum::over(bytesOf({0x81, 0x0F, 0x04})), 0x6B);
    EXPECT_EQ(UnitChecksum::over(bytesOf({0x01, 0x10, 0x01, 0x05})), 0xE8);
    EXPECT_TRUE(UnitChecksum::holds(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF5})));
    EXPECT_FALSE(UnitChecksum::holds(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF4})));
    EXPECT_TRUE(UnitChecksum::holds(bytesOf({0xFF})));
    EXPECT_FALSE(UnitChecksum::holds(bytesOf({0x00})));
    EXPECT_FALSE(UnitChecksum::holds(QByteArray()));
}

TEST(UnitFrameParser, TheDocumentedFramesAreTheRequestsTheyName)
{
    struct Case {
        Framing framing;
        QByteArray bytes;
        Kind kind;
        int address;
        int count;
        QByteArray data;
    };
    const Case cases[] = {
        {Framing::Serial, bytesOf({0x81, 0x0F, 0x04, 0x6B}), Kind::Read, 0x0F, 4, {}},
        {Framing::Network, bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B}), Kind::Read, 0x0F, 4, {}},
        {Framing::Serial, bytesOf({0x81, 0xF7, 0x01, 0x86}), Kind::Read, 0xF7, 1, {}},
        {Framing::Serial, bytesOf({0xC1, 0x2F, 0x01, 0x0E}), Kind::BulkRead, 0x2F, 1, {}},
        {Framing::Serial, bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8}), Kind::Write, 0x10, 1,
         bytesOf({0x05})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex(' ').toStdString());
        const QList<UnitRequest> requests = parseAll(c.framing, c.bytes);
        ASSERT_EQ(requests.size(), 1);
        EXPECT_EQ(requests[0].kind, c.kind);
        EXPECT_EQ(requests[0].address, c.address);
        EXPECT_EQ(requests[0].count, c.count);
        EXPECT_EQ(requests[0].data, c.data);
        // A WRITE is acknowledged with its own checksum.
        EXPECT_EQ(requests[0].checksum, byteAt(c.bytes, static_cast<int>(c.bytes.size()) - 1));
        EXPECT_EQ(requests[0].frameSize, c.bytes.size());
        EXPECT_EQ(requests[0].frame, c.framing == Framing::Network ? c.bytes.mid(1) : c.bytes);
    }
}

TEST(UnitFrameParser, FramesArrivingByteByByteComeOutWholeAtTheirLastByte)
{
    UnitFrameParser parser(Framing::Network);
    const QByteArray frames =
        bytesOf({0x00, 0x01, 0x10, 0x01, 0x05, 0xE8, 0x00, 0xC1, 0x2F, 0x01, 0x0E});
    QList<int> completedAt;
    for (int i = 0; i < frames.size(); ++i) {
        parser.feed(frames.mid(i, 1), i);
        if (!parser.takeRequests().isEmpty())
            completedAt.append(i);
    }
    EXPECT_EQ(completedAt, (QList<int>{5, 10}));
    EXPECT_EQ(parser.pendingBytes(), 0);
}

TEST(UnitFrameParser, BadFramesAndStrayBytesAreSetAsideAndTheNextFrameServed)
{
    // A bad checksum, then bytes that start no request, then a good frame.
    UnitFrameParser parser(Framing::Serial);
    parser.feed(bytesOf({0x81, 0xF7, 0x01, 0x87, 0x55, 0xAA, 0x81, 0xF7, 0x01, 0x86}), 0);
    const QList<UnitRequest> requests = parser.takeRequests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].checksum, 0x86);
    EXPECT_EQ(parser.takeRejected().size(), 3);
    // A network frame without its 0x00 prefix is no request.
    EXPECT_TRUE(parseAll(Framing::Network, bytesOf({0x81, 0xF7, 0x01, 0x86})).isEmpty());
}

TEST(UnitFrameParser, APartialFrameGoesStaleUnlessItIsCompletedInTime)
{
    UnitFrameParser late(Framing::Serial, 500);
    late.feed(bytesOf({0x81, 0xF7}), 1000);
    late.feed(bytesOf({0x81, 0xF7, 0x01, 0x86}), 1600);
    EXPECT_EQ(late.takeRequests().size(), 1);
    EXPECT_EQ(late.takeRejected().size(), 1);

    UnitFrameParser inTime(Framing::Serial, 500);
    inTime.feed(bytesOf({0x81, 0xF7}), 1000);
    inTime.feed(bytesOf({0x01, 0x86}), 1400);
    EXPECT_EQ(inTime.takeRequests().size(), 1);
    EXPECT_TRUE(inTime.takeRejected().isEmpty());
}
