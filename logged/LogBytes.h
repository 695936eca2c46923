#pragma once

#include <QByteArrayView>
#include <cstdint>

// Bounded reads from a copy of the unit's log memory. A byte outside the buffer reads as 0, so a
// pointer or index the unit got wrong can never take a decoder outside its buffer.
inline std::uint8_t logByte(QByteArrayView memory, qsizetype offset)
{
    if (offset < 0 || offset >= memory.size())
        return 0;
    return static_cast<std::uint8_t>(memory[offset]);
}

// The unit stores multi-byte values little-endian.
inline std::uint16_t logWord(QByteArrayView memory, qsizetype offset)
{
    return static_cast<std::uint16_t>(logByte(memory, offset) | (logByte(memory, offset + 1) << 8));
}

inline std::uint32_t logTriple(QByteArrayView memory, qsizetype offset)
{
    return static_cast<std::uint32_t>(logByte(memory, offset)) |
           (static_cast<std::uint32_t>(logByte(memory, offset + 1)) << 8) |
           (static_cast<std::uint32_t>(logByte(memory, offset + 2)) << 16);
}
