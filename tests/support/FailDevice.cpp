#include "tests/support/FailDevice.h"

#include <algorithm>

qint64 FailDevice::writeData(const char* data, qint64 length)
{
    const qint64 room = limit_ - written_;
    if (room <= 0) {
        setErrorString(QStringLiteral("Device full"));
        return -1;
    }
    const qint64 accepted = QBuffer::writeData(data, std::min(length, room));
    written_ += std::max<qint64>(accepted, 0);
    return accepted;
}
