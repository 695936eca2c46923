#include "simulator/PeriodicLogWriter.h"

#include "simulator/LogMemory.h"
#include "simulator/LogValueCodec.h"

#include <algorithm>
#include <bit>

namespace {

constexpr quint16 ItemBits = 0x03FF;
constexpr int TemperatureBit = 5;
constexpr int Volts1Bit = 6;
constexpr int Volts2Bit = 8;
constexpr int PercentBit = 9;

quint8 signedByte(int value)
{
    return static_cast<quint8>(static_cast<qint8>(std::clamp(value, -128, 127)));
}

quint8 percentByte(int percent, bool charged)
{
    return static_cast<quint8>(std::clamp(percent, 0, 127) | (charged ? 0x80 : 0));
}

} // namespace

PeriodicLogWriter::PeriodicLogWriter(LogMemory& memory) : memory_(memory) {}

int PeriodicLogWriter::recordSize(quint16 itemFlags)
{
    return 3 + 2 * std::popcount(static_cast<unsigned>(itemFlags & ItemBits));
}

void PeriodicLogWriter::clear()
{
    memory_.fill(AreaStart, AreaStart + BlockCount * BlockSize, 0);
    pointer_ = EmptyPointer;
    written_ = 0;
}

void PeriodicLogWriter::restore(quint16 pointer, quint16 recordsWritten)
{
    const int address = pointer & 0x3FFF;
    const bool inArea = address >= AreaStart && address < AreaStart + BlockCount * BlockSize;
    pointer_ = inArea ? static_cast<quint16>(address) : EmptyPointer;
    written_ = recordsWritten;
}

int PeriodicLogWriter::blockOffsetOf(int address) const
{
    return (address - AreaStart) / BlockSize * BlockSize;
}

bool PeriodicLogWriter::fitsInNewestBlock(quint16 itemFlags) const
{
    if (isEmpty())
        return false;
    const int block = AreaStart + blockOffsetOf(pointer_);
    const quint16 blockFlags = memory_.word(block + 1) & ItemBits;
    if (blockFlags != (itemFlags & ItemBits))
        return false;
    const int size = recordSize(itemFlags);
    const int used = pointer_ - block - 3 + size; // bytes up to the end of the newest record
    return used + size <= RecordArea;
}

void PeriodicLogWriter::startBlock(quint16 itemFlags)
{
    const int current = blockOffsetOf(pointer_);
    const int next = (current + BlockSize) % (BlockCount * BlockSize);
    const int block = AreaStart + next;
    // Byte 0 tells a reader where the previous block's records end; a log that has just been
    // cleared has no previous record.
    const quint8 previousLast = isEmpty() ? 0 : static_cast<quint8>(pointer_ - AreaStart - current);
    memory_.fill(block, block + BlockSize, 0);
    memory_.setByte(block, previousLast);
    memory_.setWord(block + 1, itemFlags);
    pointer_ = static_cast<quint16>(block + 3);
}

void PeriodicLogWriter::append(quint16 dayWord, quint8 minute, quint16 itemFlags,
                               const PeriodicValues& values)
{
    if (fitsInNewestBlock(itemFlags))
        pointer_ = static_cast<quint16>(pointer_ + recordSize(itemFlags));
    else
        startBlock(itemFlags);
    writeRecord(pointer_, dayWord, minute, itemFlags, values);
    if (written_ < 0xFFFF)
        ++written_;
}

void PeriodicLogWriter::writeRecord(int address, quint16 dayWord, quint8 minute, quint16 itemFlags,
                                    const PeriodicValues& values)
{
    memory_.setWord(address, dayWord);
    memory_.setByte(address + 2, minute);
    const double scaled[] = {values.ampHours[0],
                             values.ampHours[1],
                             values.ampHours[2],
                             values.wattHours[0],
                             values.wattHours[1],
                             0.0,
                             0.0,
                             values.amps1};
    int field = address + 3;
    for (int bit = 0; bit < 10; ++bit) {
        if ((itemFlags & (1 << bit)) == 0)
            continue;
        if (bit == TemperatureBit) {
            memory_.setByte(field, signedByte(values.temperatureMax));
            memory_.setByte(field + 1, signedByte(values.temperatureMin));
        } else if (bit == Volts1Bit || bit == Volts2Bit) {
            memory_.setWord(field,
                            LogValueCodec::volts(bit == Volts1Bit ? values.volts1 : values.volts2));
        } else if (bit == PercentBit) {
            memory_.setByte(field, percentByte(values.percentFull[0], values.charged[0]));
            memory_.setByte(field + 1, percentByte(values.percentFull[1], values.charged[1]));
        } else {
            memory_.setWord(field, LogValueCodec::periodicScaled(scaled[bit]));
        }
        field += 2;
    }
}
