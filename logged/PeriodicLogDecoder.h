#pragma once

#include "logged/CPerData.h"

#include <QByteArrayView>
#include <cstdint>
#include <span>

// Turns the unit's periodic log area (116 blocks of 64 bytes from unit address 0x0300) into
// records, oldest first. Each block starts with the offset of the previous block's last record
// and the item flags of its own records; the records follow, packed.
class PeriodicLogDecoder {
public:
    static constexpr int BlockSize = 64;
    static constexpr int BlockCount = 116;
    static constexpr int AreaSize = BlockSize * BlockCount; // 7424
    static constexpr int LastBlockOffset = AreaSize - BlockSize;
    static constexpr int HeaderSize = 3;
    static constexpr int RecordSpace = BlockSize - HeaderSize;
    // 116 blocks of 12 five-byte records.
    static constexpr int Capacity = 1392;

    // 3 bytes of time stamp and 2 per logged item.
    static int recordSize(std::uint16_t itemFlags);
    // Decodes into records[0..n) and returns n. newest is the offset of the newest record in the
    // area (the unit's pointer less 0x0300). The walk visits at most 116 blocks and never fills
    // more records than the span holds, whatever the area contains.
    static int decode(QByteArrayView area, int newest, qint64 unitBaseTime,
                      std::span<CPerData> records);
    static CPerData decodeRecord(QByteArrayView area, qsizetype offset, std::uint16_t itemFlags,
                                 qint64 unitBaseTime);
    // A 16-bit value with a 10-bit magnitude, a scale code and a sign bit.
    static float scaledValue(std::uint16_t raw);

private:
    static int startBlock(bool wrapped, int newest);
    static int recordsInBlock(QByteArrayView area, int block, int size, int newest,
                              bool* lastBlock);
};
