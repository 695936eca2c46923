#include "tests/simulator/LogReaders.h"

#include <bit>

namespace LogReaders {

namespace {

constexpr int Blocks = 116;
constexpr int LastBlock = 0x1CC0;

int byteOf(const QByteArray& bytes, int offset)
{
    return static_cast<quint8>(bytes.at(offset));
}

struct Block {
    int offset;
    int size;
    int capacity;
    int endMark;
};

} // namespace

QList<int> periodicRecords(const QByteArray& area, int pointer)
{
    const int p = (pointer & 0x3FFF) - 0x0300;
    const bool wrapped = byteOf(area, LastBlock) != 0;
    if (p == LastBlock && !wrapped)
        return {};
    int start = 0;
    if (wrapped) {
        for (int block = 0; block < Blocks; ++block) {
            if (block * 64 > p) {
                start = block;
                break;
            }
        }
    }
    QList<Block> walk;
    for (int i = 0; i < Blocks; ++i) {
        const int offset = (start + i) % Blocks * 64;
        const int flags = (byteOf(area, offset + 1) | byteOf(area, offset + 2) << 8) & 0x3FF;
        const int size = 3 + 2 * std::popcount(static_cast<unsigned>(flags));
        const int capacity = 61 / size;
        int endMark = -1;
        for (int r = 0; r < capacity; ++r) {
            if (p - 3 == offset + size * r)
                endMark = offset + size * r;
        }
        const bool last = endMark >= 0;
        if (!last)
            endMark = offset + byteOf(area, (offset + 64) % (Blocks * 64));
        walk.append({offset, size, capacity, endMark});
        if (last)
            break;
    }
    QList<int> records;
    for (const Block& block : walk) {
        for (int k = 0; k < block.capacity; ++k) {
            const int record = block.offset + 3 + block.size * k;
            records.append(record);
            if (record >= block.endMark)
                break;
        }
    }
    return records;
}

QList<int> efficiencyRecords(int newest, bool wrapped)
{
    const int start = wrapped ? (newest + 1) % 224 : 0;
    const int end = (newest + 1) % 224;
    QList<int> offsets;
    int i = start;
    do {
        offsets.append(i % 7 * 9 + i / 7 * 64);
        i = (i + 1) % 224;
    } while (i != end && offsets.size() < 224);
    return offsets;
}

QList<int> dischargeEntries(int pointerWord)
{
    const bool wrapped = (pointerWord & 0x8000) != 0;
    const int p = (pointerWord & 0x3FFF) - 0x2000;
    if (!wrapped && p == 0)
        return {};
    const int pBlock = p / 64;
    const int j = p % 64 / 5;
    QList<int> offsets;
    const auto visit = [&offsets](int block, int from, int to) {
        for (int entry = from; entry <= to; ++entry)
            offsets.append(block * 64 + entry * 5);
    };
    if (!wrapped) {
        for (int block = 0; block < pBlock; ++block)
            visit(block, block == 0 ? 1 : 0, 11);
        visit(pBlock, pBlock == 0 ? 1 : 0, j);
        return offsets;
    }
    visit(pBlock, j + 1, 11);
    for (int block = pBlock + 1; block < 63; ++block)
        visit(block, 0, 11);
    for (int block = 0; block < pBlock; ++block)
        visit(block, 0, 11);
    visit(pBlock, 0, j);
    return offsets;
}

} // namespace LogReaders
