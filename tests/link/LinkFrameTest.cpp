#include "link/LinkFrame.h"

#include "link/LoginCode.h"
#include "link/SerialLineErrors.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

TEST(LinkFrame, FramesAndTheLoginCodeAreTheUnitsDocumentedBytes)
{
    const std::uint8_t data[] = {0x05};
    const std::pair<QByteArray, QByteArray> frames[] = {
        {LinkFrame::read(0x0F, 4), bytesOf({0x81, 0x0F, 0x04, 0x6B})},
        {LinkFrame::forTcp(LinkFrame::read(0x0F, 4)), bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B})},
        {LinkFrame::read(0xF7, 1), bytesOf({0x81, 0xF7, 0x01, 0x86})},
        {LinkFrame::bulkRead(0x2F00, 1), bytesOf({0xC1, 0x2F, 0x01, 0x0E})},
        {LinkFrame::write(0x10, 1, data), bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8})},
        // Checksums 0x7E - address - length and 0x3E - page - pages; lengths in eight bits.
        {LinkFrame::read(0xD2, 0x104), bytesOf({0x81, 0xD2, 0x04, 0xA8})},
        {LinkFrame::bulkRead(0x31FF, 2), bytesOf({0xC1, 0x31, 0x02, 0x0B})},
        {QByteArray(reinterpret_cast<const char*>(LoginCode.data()), LoginCode.size()),
         QByteArray("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8)},
    };
    for (const auto& [frame, expected] : frames)
        EXPECT_EQ(frame.toHex(' '), expected.toHex(' '));
}

TEST(LinkFrame, AReplyHoldsWhenAllItsBytesSumTo0xFF)
{
    const std::pair<QByteArray, bool> replies[] = {
        {bytesOf({0x01, 0x02, 0x03, 0x04, 0xF5}), true},
        {bytesOf({0x01, 0x02, 0x03, 0x04, 0xF4}), false},
        {bytesOf({0x00, 0x01, 0x02, 0x03, 0x04, 0xF5}), true}, // the adapter's status byte 0x00
        {bytesOf({0xFF}), true},
        {bytesOf({0x00}), false},
        {QByteArray(), false},
    };
    for (const auto& [reply, holds] : replies)
        EXPECT_EQ(LinkFrame::checksumHolds(reinterpret_cast<const std::uint8_t*>(reply.constData()),
                                           static_cast<int>(reply.size())),
                  holds)
            << reply.toHex(' ').toStdString();
}

TEST(SerialLineErrors, TheFirstMatchingFlagGivesTheCodeAndAnIoErrorMasksTheLesserOnes)
{
    // The line's error flags, restated.
    constexpr std::uint32_t Mode = 0x8000, Break = 0x0010, Frame = 0x0008, Io = 0x0400,
                            Overrun = 0x0002, RxOver = 0x0001, Parity = 0x0004, TxFull = 0x0100;
    // Flags, the code before, the code after.
    const std::tuple<std::uint32_t, int, int> cases[] = {
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
    for (const auto& [flags, current, expected] : cases)
        EXPECT_EQ(SerialLineErrors::errorCodeFor(flags, current), expected) << std::hex << flags;
}
