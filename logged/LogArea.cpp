#include "logged/LogArea.h"

#include <cstring>

LogArea::LogArea(std::uint16_t unitAddress, std::uint16_t bytesPerRequest, int requestCount)
    : buffer_(qsizetype(bytesPerRequest) * requestCount, '\0'), baseAddress_(unitAddress),
      unitAddress_(unitAddress), bytesPerRequest_(bytesPerRequest), requestCount_(requestCount)
{}

bool LogArea::storeReply(QByteArrayView reply)
{
    if (reply.size() != bytesPerRequest_ || writePosition_ + reply.size() > buffer_.size())
        return false;
    std::memcpy(buffer_.data() + writePosition_, reply.data(), size_t(reply.size()));
    writePosition_ += static_cast<int>(reply.size());
    unitAddress_ = static_cast<std::uint16_t>(unitAddress_ + reply.size());
    return true;
}

bool LogArea::storeAt(std::uint16_t unitAddress, QByteArrayView bytes)
{
    const qsizetype offset = qsizetype(unitAddress) - baseAddress_;
    if (offset < 0 || offset + bytes.size() > buffer_.size())
        return false;
    if (!bytes.isEmpty())
        std::memcpy(buffer_.data() + offset, bytes.data(), size_t(bytes.size()));
    return true;
}
