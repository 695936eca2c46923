#pragma once

#include "logged/CIntData.h"

#include <QByteArrayView>
#include <cstdint>
#include <span>
#include <vector>

// Turns the unit's discharge profile log (63 ring blocks of twelve five-byte entries from unit
// address 0x2000) into one list of entries per battery, oldest first.
class DischargeProfileDecoder {
public:
    static constexpr int BlockSize = 64;
    static constexpr int RingBlocks = 63;
    static constexpr int EntriesPerBlock = 12;
    static constexpr int EntrySize = 5;
    static constexpr int Capacity = RingBlocks * EntriesPerBlock; // 756
    static constexpr int AreaSize = 4096;

    // The ring index (0..755) of the entry at area offset `newest`. An offset that is not an
    // entry start counts as the entry it falls in; one past the ring as the ring's last entry.
    static int entryIndex(int newest);
    static int entryOffset(int index);
    // Decodes into the pool in visit order and appends each entry to its battery's list (both
    // lists are emptied first). Returns the number of entries; never more than the pool holds.
    static int decode(QByteArrayView area, int newest, bool wrapped, bool present,
                      std::span<CIntData> pool, std::vector<CIntData*>& battery1,
                      std::vector<CIntData*>& battery2);
    static float ampsValue(std::uint16_t raw);

private:
    static CIntData decodeEntry(QByteArrayView area, int offset);
};
