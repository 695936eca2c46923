#pragma once

#include <QByteArray>

// The unit's log memory, addresses 0x0000 to 0x3FFF, as BULK READ serves it in 256-byte pages.
// 0x0300-0x1FFF periodic log, 0x2000-0x2FBF discharge profile, 0x2FFC-0x2FFF efficiency log
// indexes, 0x3000-0x37FF and 0x3800-0x3FFF the two batteries' efficiency logs.
class LogMemory {
public:
    static constexpr int Size = 0x4000;
    static constexpr int PageSize = 256;

    LogMemory();

    // pages whole pages from page (the high byte of the page address) on; addresses past
    // 0x3FFF wrap to 0x0000, as the unit's address counter has 14 bits.
    QByteArray readPages(quint8 page, int pages) const;

    quint8 byte(int address) const;
    void setByte(int address, quint8 value);
    quint16 word(int address) const;
    void setWord(int address, quint16 value);
    void fill(int from, int to, quint8 value); // [from, to)

    const QByteArray& bytes() const { return bytes_; }
    // Replaces the whole memory; false (and nothing changed) unless exactly Size bytes.
    bool assign(const QByteArray& bytes);

private:
    static int wrap(int address) { return address & (Size - 1); }

    QByteArray bytes_;
};
