#include "logged/PeriodicLogDecoder.h"

#include "logged/LogBytes.h"
#include "logged/UnitTimeStamp.h"

#include <array>
#include <bit>

namespace {

constexpr std::array<float, 8> ScaleMultipliers{1.0f,  0.01f,  0.1f,    1.0f,
                                                10.0f, 100.0f, 1000.0f, 10000.0f};

float voltsValue(std::uint16_t raw)
{
    return static_cast<float>(raw & 0x7FF) * 0.05f;
}

} // namespace

int PeriodicLogDecoder::recordSize(std::uint16_t itemFlags)
{
    return HeaderSize + 2 * std::popcount(static_cast<unsigned>(itemFlags & CPerData::ItemMask));
}

float PeriodicLogDecoder::scaledValue(std::uint16_t raw)
{
    float value = static_cast<float>(raw & 0x3FF);
    if (raw & 0x8000)
        value = -value;
    return value * ScaleMultipliers[(raw >> 12) & 7];
}

int PeriodicLogDecoder::decode(QByteArrayView area, int newest, qint64 unitBaseTime,
                               std::span<CPerData> records)
{
    const bool wrapped = logByte(area, LastBlockOffset) != 0;
    if (newest == LastBlockOffset && !wrapped)
        return 0;

    const auto capacity = static_cast<qsizetype>(records.size());
    qsizetype count = 0;
    int block = startBlock(wrapped, newest);
    for (int walked = 0; walked < BlockCount && count < capacity; ++walked) {
        const int offset = block * BlockSize;
        const std::uint16_t flags = logWord(area, offset + 1) & CPerData::ItemMask;
        const int size = recordSize(flags);
        bool lastBlock = false;
        const int inBlock = recordsInBlock(area, block, size, newest, &lastBlock);
        for (int k = 0; k < inBlock && count < capacity; ++k)
            records[count++] =
                decodeRecord(area, offset + HeaderSize + size * k, flags, unitBaseTime);
        if (lastBlock)
            break;
        block = (block + 1) % BlockCount;
    }
    return static_cast<int>(count);
}

int PeriodicLogDecoder::startBlock(bool wrapped, int newest)
{
    if (!wrapped)
        return 0;
    // The oldest records are in the block after the one that holds the newest.
    for (int block = 0; block < BlockCount; ++block) {
        if (block * BlockSize > newest)
            return block;
    }
    return 0;
}

// How many records of the block to decode. The newest record ends the walk in its own block;
// any other block ends at the record that the next block's first byte points at.
int PeriodicLogDecoder::recordsInBlock(QByteArrayView area, int block, int size, int newest,
                                       bool* lastBlock)
{
    const int offset = block * BlockSize;
    const int capacity = RecordSpace / size;

    const int fromFirstRecord = newest - HeaderSize - offset;
    if (fromFirstRecord >= 0 && fromFirstRecord % size == 0 && fromFirstRecord / size < capacity) {
        *lastBlock = true;
        return fromFirstRecord / size + 1;
    }

    const int nextOffset = ((block + 1) % BlockCount) * BlockSize;
    const int endMark = offset + logByte(area, nextOffset);
    for (int k = 0; k < capacity; ++k) {
        if (offset + HeaderSize + size * k >= endMark)
            return k + 1;
    }
    return capacity;
}

CPerData PeriodicLogDecoder::decodeRecord(QByteArrayView area, qsizetype offset,
                                          std::uint16_t itemFlags, qint64 unitBaseTime)
{
    CPerData record;
    const UnitTimeStamp stamp{logWord(area, offset), logByte(area, offset + 2)};
    record.time = stamp.calendarTime(unitBaseTime);

    qsizetype field = offset + HeaderSize;
    auto nextWord = [&]() {
        const std::uint16_t word = logWord(area, field);
        field += 2;
        return word;
    };
    for (int i = 0; i < 3; ++i) {
        if (itemFlags & (CPerData::AMPHOURS1 << i))
            record.ampHours[i] = scaledValue(nextWord());
    }
    for (int i = 0; i < 2; ++i) {
        if (itemFlags & (CPerData::WATTHOURS1 << i))
            record.wattHours[i] = scaledValue(nextWord());
    }
    if (itemFlags & CPerData::TEMPERATURE) {
        record.tempMax = static_cast<float>(static_cast<std::int8_t>(logByte(area, field)));
        record.tempMin = static_cast<float>(static_cast<std::int8_t>(logByte(area, field + 1)));
        field += 2;
    }
    if (itemFlags & CPerData::VOLTS1)
        record.volts1 = voltsValue(nextWord());
    if (itemFlags & CPerData::AMPS1)
        record.amps1 = scaledValue(nextWord());
    if (itemFlags & CPerData::VOLTS2)
        record.volts2 = voltsValue(nextWord());
    if (itemFlags & CPerData::BATTERYSTATE) {
        for (int battery = 0; battery < 2; ++battery) {
            const std::uint8_t state = logByte(area, field + battery);
            record.percentFull[battery] = state & 0x7F;
            record.charged[battery] = (state & 0x80) ? 1 : 0;
        }
    }
    record.valid |= CPerData::VALID;
    record.itemFlags = itemFlags;
    return record;
}
