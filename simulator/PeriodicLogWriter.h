#pragma once

#include <QtGlobal>

class LogMemory;

// What one periodic record can carry, in the units and signs the program shows them.
struct PeriodicValues {
    double ampHours[3] = {};
    double wattHours[2] = {};
    int temperatureMax = 0; // degrees Celsius
    int temperatureMin = 0;
    double volts1 = 0;
    double amps1 = 0;
    double volts2 = 0;
    int percentFull[2] = {};
    bool charged[2] = {}; // the battery got charged since the previous record
};

// Appends periodic records to the log at 0x0300-0x1FFF the way the unit does: 116 blocks of
// 64 bytes, each block starting with the offset of the previous block's last record and the
// item flags of its own records, then as many records as fit in 61 bytes. A change of item
// flags starts a new block. The newest-record pointer is the unit address of the newest
// record; an empty log points at the last block (0x1FC0) and that block's first byte is 0.
class PeriodicLogWriter {
public:
    static constexpr int AreaStart = 0x0300;
    static constexpr int BlockSize = 64;
    static constexpr int BlockCount = 116;
    static constexpr int RecordArea = 61;
    static constexpr quint16 EmptyPointer = AreaStart + (BlockCount - 1) * BlockSize; // 0x1FC0

    explicit PeriodicLogWriter(LogMemory& memory);

    static int recordSize(quint16 itemFlags);

    void clear();
    void append(quint16 dayWord, quint8 minute, quint16 itemFlags, const PeriodicValues& values);

    quint16 newestPointer() const { return pointer_; }
    // Records appended since the log was last cleared (stops at 0xFFFF).
    quint16 recordsWritten() const { return written_; }
    bool isEmpty() const { return pointer_ == EmptyPointer; }
    // Takes over a log found in memory (an image); the pointer's two top bits are not part of
    // the address.
    void restore(quint16 pointer, quint16 recordsWritten);

private:
    int blockOffsetOf(int address) const; // offset of the block holding address, from 0x0300
    bool fitsInNewestBlock(quint16 itemFlags) const;
    void startBlock(quint16 itemFlags);
    void writeRecord(int address, quint16 dayWord, quint8 minute, quint16 itemFlags,
                     const PeriodicValues& values);

    LogMemory& memory_;
    quint16 pointer_ = EmptyPointer;
    quint16 written_ = 0;
};
