#include "simulator/EfficiencyLogWriter.h"

#include "simulator/LogMemory.h"

namespace {

constexpr quint32 CounterMask = 0xFFFFFF;

void setCounter(LogMemory& memory, int address, quint32 value)
{
    value &= CounterMask;
    memory.setByte(address, static_cast<quint8>(value));
    memory.setByte(address + 1, static_cast<quint8>(value >> 8));
    memory.setByte(address + 2, static_cast<quint8>(value >> 16));
}

} // namespace

EfficiencyLogWriter::EfficiencyLogWriter(LogMemory& memory, int battery)
    : memory_(memory), battery_(battery)
{}

int EfficiencyLogWriter::recordOffset(int index)
{
    return index % RecordsPerBlock * RecordSize + index / RecordsPerBlock * BlockSize;
}

int EfficiencyLogWriter::areaStart() const
{
    return battery_ == 1 ? 0x3000 : 0x3800;
}

int EfficiencyLogWriter::indexAddress() const
{
    return battery_ == 1 ? 0x2FFC : 0x2FFE;
}

int EfficiencyLogWriter::newestIndex() const
{
    return memory_.byte(indexAddress());
}

bool EfficiencyLogWriter::wrapped() const
{
    return (memory_.byte(indexAddress() + 1) & 0x80) != 0;
}

void EfficiencyLogWriter::setIndex(int index, bool wrapped)
{
    memory_.setByte(indexAddress(), static_cast<quint8>(index));
    memory_.setByte(indexAddress() + 1, wrapped ? 0x80 : 0x00);
}

void EfficiencyLogWriter::clear()
{
    memory_.fill(areaStart(), areaStart() + AreaSize, 0);
    setIndex(0, false);
}

void EfficiencyLogWriter::append(const EfficiencyRecord& record)
{
    // An index outside the ring (a damaged image) starts the ring again.
    const int current = newestIndex() < RecordCount ? newestIndex() : 0;
    const int next = (current + 1) % RecordCount;
    setIndex(next, wrapped() || next == 0);
    const int address = areaStart() + recordOffset(next);
    const quint16 dayWord =
        static_cast<quint16>((record.dayWord & 0x7FFF) | (record.valid ? 0x8000 : 0));
    memory_.setByte(address, record.minute);
    memory_.setWord(address + 1, dayWord);
    setCounter(memory_, address + 3, record.counterA);
    setCounter(memory_, address + 6, record.counterB);
}
