#include "simulator/UnitFrameParser.h"

#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

using Framing = UnitFrameParser::Framing;
using Kind = UnitRequest::Kind;

} // namespace

TEST(UnitFrameParser, TheDocumentedFramesAreTheRequestsTheyNameOnceTheirLastByteCame)
{
    struct Case {
        Framing framing;
        QByteArray bytes;
        Kind kind;
        int address, count;
    };
    const Case cases[] = {
        {Framing::Serial, bytesOf({0x81, 0x0F, 0x04, 0x6B}), Kind::Read, 0x0F, 4},
        {Framing::Network, bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B}), Kind::Read, 0x0F, 4},
        {Framing::Serial, bytesOf({0x81, 0xF7, 0x01, 0x86}), Kind::Read, 0xF7, 1},
        {Framing::Serial, bytesOf({0xC1, 0x2F, 0x01, 0x0E}), Kind::BulkRead, 0x2F, 1},
        {Framing::Serial, bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8}), Kind::Write, 0x10, 1},
        {Framing::Network, bytesOf({0x00, 0x01, 0xE2, 0x02, 0x0C, 0x0D, 0x01}), Kind::Write, 0xE2,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex(' ').toStdString());
        UnitFrameParser parser(c.framing);
        QList<UnitRequest> requests;
        for (int i = 0; i < c.bytes.size(); ++i) {
            EXPECT_TRUE(requests.isEmpty());
            parser.feed(c.bytes.mid(i, 1), i);
            requests = parser.takeRequests();
        }
        ASSERT_EQ(requests.size(), 1);
        EXPECT_EQ(parser.pendingBytes(), 0);
        const UnitRequest& got = requests[0];
        EXPECT_EQ(std::tuple(got.kind, got.address, got.count),
                  std::tuple(c.kind, c.address, c.count));
        const QByteArray frame = c.framing == Framing::Network ? c.bytes.mid(1) : c.bytes;
        EXPECT_EQ(got.data, got.kind == Kind::Write ? frame.mid(3, c.count) : QByteArray());
        // A WRITE is acknowledged with its own checksum.
        EXPECT_EQ(got.checksum, static_cast<quint8>(frame.back()));
        EXPECT_EQ(std::pair(got.frame, got.frameSize),
                  std::pair(frame, static_cast<int>(c.bytes.size())));
    }
}

TEST(UnitFrameParser, BadFramesStrayBytesAndStaleHalvesAreSetAsideAndTheNextFrameServed)
{
    // A checksum one off, then bytes that start no request, then a good frame.
    UnitFrameParser parser(Framing::Serial, 500);
    parser.feed(bytesOf({0x81, 0xF7, 0x01, 0x87, 0x55, 0xAA, 0x81, 0xF7, 0x01, 0x86}), 0);
    EXPECT_EQ(parser.takeRequests().size(), 1);
    EXPECT_EQ(parser.takeRejected().size(), 3);
    // A network frame without its 0x00 prefix is no request.
    UnitFrameParser network(Framing::Network);
    network.feed(bytesOf({0x81, 0xF7, 0x01, 0x86}), 0);
    EXPECT_TRUE(network.takeRequests().isEmpty());
    // Half a frame, then a whole one 600 ms later; and a frame completed 400 ms after it began.
    parser.feed(bytesOf({0x81, 0xF7}), 1000);
    parser.feed(bytesOf({0x81, 0xF7, 0x01, 0x86}), 1600);
    parser.feed(bytesOf({0x81, 0xF7}), 2000);
    parser.feed(bytesOf({0x01, 0x86}), 2400);
    EXPECT_EQ(parser.takeRequests().size(), 2);
    EXPECT_EQ(parser.takeRejected().size(), 1);
}
