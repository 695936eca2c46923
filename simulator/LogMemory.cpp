#include "simulator/LogMemory.h"

LogMemory::LogMemory() : bytes_(Size, '\0') {}

QByteArray LogMemory::readPages(quint8 page, int pages) const
{
    QByteArray result;
    result.reserve(pages * PageSize);
    for (int i = 0; i < pages * PageSize; ++i)
        result.append(bytes_.at(wrap(page * PageSize + i)));
    return result;
}

quint8 LogMemory::byte(int address) const
{
    return static_cast<quint8>(bytes_.at(wrap(address)));
}

void LogMemory::setByte(int address, quint8 value)
{
    bytes_[wrap(address)] = static_cast<char>(value);
}

quint16 LogMemory::word(int address) const
{
    return static_cast<quint16>(byte(address) | byte(address + 1) << 8);
}

void LogMemory::setWord(int address, quint16 value)
{
    setByte(address, static_cast<quint8>(value & 0xFF));
    setByte(address + 1, static_cast<quint8>(value >> 8));
}

void LogMemory::fill(int from, int to, quint8 value)
{
    for (int address = from; address < to; ++address)
        setByte(address, value);
}

bool LogMemory::assign(const QByteArray& bytes)
{
    if (bytes.size() != Size)
        return false;
    bytes_ = bytes;
    return true;
}
