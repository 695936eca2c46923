#include "simulator/DischargeLogWriter.h"

#include "simulator/LogMemory.h"
#include "simulator/LogValueCodec.h"

#include <algorithm>

DischargeLogWriter::DischargeLogWriter(LogMemory& memory) : memory_(memory) {}

void DischargeLogWriter::clear()
{
    memory_.fill(AreaStart, AreaStart + BlockCount * BlockSize, 0);
    offset_ = 0;
    wrapped_ = false;
}

quint16 DischargeLogWriter::pointerWord() const
{
    return static_cast<quint16>((AreaStart + offset_) | (wrapped_ ? WrappedBit : 0));
}

void DischargeLogWriter::restore(quint16 pointerWord)
{
    const int offset = (pointerWord & 0x3FFF) - AreaStart;
    const bool onEntry = offset >= 0 && offset < BlockCount * BlockSize &&
                         offset % BlockSize < EntriesPerBlock * EntrySize &&
                         offset % BlockSize % EntrySize == 0;
    offset_ = onEntry ? offset : 0;
    wrapped_ = onEntry && (pointerWord & WrappedBit) != 0;
}

int DischargeLogWriter::nextOffset() const
{
    const int block = offset_ / BlockSize;
    const int entry = offset_ % BlockSize / EntrySize;
    if (entry + 1 < EntriesPerBlock)
        return offset_ + EntrySize;
    return (block + 1) % BlockCount * BlockSize;
}

void DischargeLogWriter::append(const DischargeEntry& entry)
{
    const int next = nextOffset();
    if (next == 0)
        wrapped_ = true;
    offset_ = next;
    const int address = AreaStart + offset_;
    const int steps = std::clamp(entry.percentFull / 5, 0, 31);
    memory_.setByte(address, static_cast<quint8>((entry.battery == 2 ? 0x80 : 0) | steps));
    const int day = std::clamp(entry.dayOfMonth, 0, 31);
    memory_.setWord(address + 1,
                    static_cast<quint16>(day << 11 | LogValueCodec::volts(entry.volts)));
    memory_.setWord(address + 3, LogValueCodec::dischargeAmps(entry.amps));
}
