#pragma once

#include "logged/CEffData.h"

#include <QByteArrayView>
#include <cstdint>
#include <span>

// Turns one battery's efficiency log (a ring of 224 nine-byte records, seven to a 64-byte block)
// into records, oldest first, and derives the per-cycle figures and their averages.
class EfficiencyLogDecoder {
public:
    static constexpr int RingSize = 224;
    static constexpr int RecordSize = 9;
    static constexpr int RecordsPerBlock = 7;
    static constexpr int BlockSize = 64;
    static constexpr int AreaSize = 2048;

    // Where ring record index (0..223) starts in the area.
    static int recordOffset(int index);
    // Decodes into records[0..n) and returns n (at least 1, at most 224 and the span's size).
    // newest is the ring index of the newest record; an index outside the ring is taken modulo
    // the ring, so the walk is bounded whatever the unit reports.
    static int decode(QByteArrayView area, int newest, bool wrapped, qint64 unitBaseTime,
                      std::span<CEffData> records);
    // Fills cycle hours, amp-hours, efficiency and self-discharge of every valid record from the
    // record before it.
    static void compute(std::span<CEffData> records);
    // Fills the averages over every window of `cycles` consecutive valid records into the
    // window's last record.
    static void average(std::span<CEffData> records, int cycles);

private:
    static CEffData decodeRecord(QByteArrayView area, int index, qint64 unitBaseTime);
    static void computeFromPrevious(CEffData& record, const CEffData& previous);
};
