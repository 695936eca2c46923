#include "link/LinkFrame.h"

namespace LinkFrame {

namespace {

QByteArray withChecksum(QByteArray frame)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.constData());
    frame.append(static_cast<char>(checksum(bytes, static_cast<int>(frame.size()))));
    return frame;
}

char low8(int value)
{
    return static_cast<char>(value & 0xFF);
}

} // namespace

std::uint8_t checksum(const std::uint8_t* bytes, int count)
{
    std::uint8_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return static_cast<std::uint8_t>(0xFF - sum);
}

bool checksumHolds(const std::uint8_t* bytes, int count)
{
    return count > 0 && checksum(bytes, count - 1) == bytes[count - 1];
}

QByteArray read(std::uint8_t address, int length)
{
    return withChecksum(QByteArray{"\x81"} + static_cast<char>(address) + low8(length));
}

QByteArray bulkRead(std::uint16_t pageAddress, int pages)
{
    return withChecksum(QByteArray{"\xC1"} + low8(pageAddress >> 8) + low8(pages));
}

QByteArray write(std::uint8_t address, int length, const std::uint8_t* data)
{
    QByteArray frame{"\x01"};
    frame += static_cast<char>(address);
    frame += low8(length);
    frame.append(reinterpret_cast<const char*>(data), length);
    return withChecksum(frame);
}

QByteArray forTcp(const QByteArray& serialFrame)
{
    return QByteArray(1, '\0') + serialFrame;
}

} // namespace LinkFrame
