#pragma once

#include <QtGlobal>

class LogMemory;

// One charge cycle as the unit logs it when a battery reaches its charged criteria.
struct EfficiencyRecord {
    quint16 dayWord = 0;  // day × 8 + three-hour block
    quint8 minute = 0;    // within the block
    bool valid = false;   // the cycle ran from one charge to the next without a break
    quint32 counterA = 0; // charge amp-hours, counting down, 0.01 Ah, 24 bits
    quint32 counterB = 0; // discharge amp-hours, counting up, 0.01 Ah, 24 bits
};

// Appends efficiency records to one battery's ring (battery 1 at 0x3000, battery 2 at 0x3800):
// 224 records of 9 bytes, seven to a 64-byte block. The index of the newest record and the
// wrapped bit live at 0x2FFC/0x2FFD (battery 1) and 0x2FFE/0x2FFF (battery 2). The unit moves
// the index on before it writes, so the first record of a cleared log goes to index 1, and
// index 0 with the wrapped bit clear means an empty log.
class EfficiencyLogWriter {
public:
    static constexpr int RecordCount = 224;
    static constexpr int RecordSize = 9;
    static constexpr int RecordsPerBlock = 7;
    static constexpr int BlockSize = 64;
    static constexpr int AreaSize = 0x800;

    EfficiencyLogWriter(LogMemory& memory, int battery);

    static int recordOffset(int index);
    int areaStart() const;
    int indexAddress() const;

    void clear();
    void append(const EfficiencyRecord& record);

    int newestIndex() const;
    bool wrapped() const;

private:
    void setIndex(int index, bool wrapped);

    LogMemory& memory_;
    int battery_;
};
