#include "logged/LogArea.h"

#include <cstring>

LogArea::LogArea(std::uint16_t unitAddress, std::uint16_t bytesPerRequest, int requestCount)
    : buffer_(qsizetype(bytesPerRequest) * requestCount, '\0'), baseAddress_(unitAddress),
      wholeBytesPerRequest_(bytesPerRequest)
{
    planWholeArea();
}

void LogArea::planReads(std::vector<Read> reads)
{
    reads_ = std::move(reads);
    wholeArea_ = false;
    requestsMade_ = 0;
    stored_ = 0;
}

void LogArea::planWholeArea()
{
    std::vector<Read> reads;
    for (int offset = 0; offset < buffer_.size(); offset += wholeBytesPerRequest_)
        reads.push_back({static_cast<std::uint16_t>(baseAddress_ + offset), wholeBytesPerRequest_});
    planReads(std::move(reads));
    wholeArea_ = true;
}

std::uint16_t LogArea::unitAddress() const
{
    if (stored_ < requestCount())
        return reads_[size_t(stored_)].unitAddress;
    return reads_.empty()
               ? baseAddress_
               : static_cast<std::uint16_t>(reads_.back().unitAddress + reads_.back().length);
}

std::uint16_t LogArea::bytesPerRequest() const
{
    return stored_ < requestCount() ? reads_[size_t(stored_)].length : wholeBytesPerRequest_;
}

const LogArea::Read* LogArea::awaited() const
{
    return stored_ < requestsMade_ && stored_ < requestCount() ? &reads_[size_t(stored_)] : nullptr;
}

bool LogArea::keptBytesDiffer(QByteArrayView reply) const
{
    const Read* read = awaited();
    if (!read || read->keptBytes == 0 || reply.size() < read->keptBytes)
        return false;
    const qsizetype offset = qsizetype(read->unitAddress) - baseAddress_;
    if (offset < 0 || offset + read->keptBytes > buffer_.size())
        return true;
    return QByteArrayView(buffer_).sliced(offset, read->keptBytes) != reply.first(read->keptBytes);
}

bool LogArea::storeReply(QByteArrayView reply)
{
    const Read* read = awaited();
    if (!read || reply.size() != read->length || !storeAt(read->unitAddress, reply))
        return false;
    ++stored_;
    bytesRead_ += static_cast<int>(reply.size());
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
