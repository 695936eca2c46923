#pragma once

#include <QByteArray>
#include <cstdint>

// The request frames the unit understands and the checksum that closes every frame and every
// checked reply: 0xFF minus the 8-bit sum of the bytes before it.
namespace LinkFrame {

std::uint8_t checksum(const std::uint8_t* bytes, int count);
// True when the 8-bit sum of all bytes, the final checksum included, is 0xFF.
bool checksumHolds(const std::uint8_t* bytes, int count);

// Serial frames; a TCP frame is the same with one 0x00 byte in front.
QByteArray read(std::uint8_t address, int length);
QByteArray bulkRead(std::uint16_t pageAddress, int pages);
QByteArray write(std::uint8_t address, int length, const std::uint8_t* data);
QByteArray forTcp(const QByteArray& serialFrame);

} // namespace LinkFrame
