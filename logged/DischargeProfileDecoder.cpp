#include "logged/DischargeProfileDecoder.h"

#include "logged/LogBytes.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<float, 4> AmpsMultipliers{0.001f, 0.01f, 0.1f, 1.0f};
constexpr std::uint8_t Battery2Bit = 0x80;

} // namespace

int DischargeProfileDecoder::entryIndex(int newest)
{
    const int block = newest / BlockSize;
    if (newest < 0 || block >= RingBlocks)
        return Capacity - 1;
    const int entry = std::min((newest % BlockSize) / EntrySize, EntriesPerBlock - 1);
    return block * EntriesPerBlock + entry;
}

int DischargeProfileDecoder::entryOffset(int index)
{
    return (index / EntriesPerBlock) * BlockSize + (index % EntriesPerBlock) * EntrySize;
}

float DischargeProfileDecoder::ampsValue(std::uint16_t raw)
{
    float value = static_cast<float>(raw & 0x3FF);
    if (raw & 0x8000)
        value = -value;
    return value * AmpsMultipliers[(raw >> 12) & 3];
}

int DischargeProfileDecoder::decode(QByteArrayView area, int newest, bool wrapped, bool present,
                                    std::span<CIntData> pool, std::vector<CIntData*>& battery1,
                                    std::vector<CIntData*>& battery2)
{
    battery1.clear();
    battery2.clear();
    if (!present || (!wrapped && newest == 0))
        return 0;

    const int last = entryIndex(newest);
    // Entry 0 of block 0 is first used once the log has wrapped.
    int index = wrapped ? (last + 1) % Capacity : 1;
    const int visits = wrapped ? Capacity : std::max(last, 0);
    const auto room = static_cast<int>(std::min<std::size_t>(pool.size(), Capacity));
    const int count = std::min(visits, room);
    for (int k = 0; k < count; ++k) {
        const int offset = entryOffset(index);
        CIntData& entry = pool[static_cast<std::size_t>(k)];
        entry = decodeEntry(area, offset);
        (logByte(area, offset) & Battery2Bit ? battery2 : battery1).push_back(&entry);
        index = (index + 1) % Capacity;
    }
    return count;
}

CIntData DischargeProfileDecoder::decodeEntry(QByteArrayView area, int offset)
{
    const std::uint16_t dayAndVolts = logWord(area, offset + 1);
    CIntData entry;
    entry.present = 1;
    entry.percentFull = static_cast<std::uint8_t>((logByte(area, offset) & 0x1F) * 5);
    entry.volts = static_cast<float>(dayAndVolts & 0x7FF) * 0.05f;
    entry.amps = ampsValue(logWord(area, offset + 3));
    entry.dayOfMonth = static_cast<std::uint16_t>(dayAndVolts >> 11);
    return entry;
}
