#pragma once

#include <QtGlobal>

class LogMemory;

// One discharge-profile entry: a battery passed a percent-full step while discharging.
struct DischargeEntry {
    int battery = 1;
    int percentFull = 0;
    int dayOfMonth = 0; // 0..31
    double volts = 0;   // filtered
    double amps = 0;    // filtered, as the program shows them (discharge negative)
};

// Appends discharge-profile entries to the ring at 0x2000-0x2FBF the way the unit does: 63
// blocks of twelve 5-byte entries. The pointer (served behind P43 in record 0xD1) is the unit
// address of the newest entry, bit 15 set once the ring has wrapped. The unit moves the
// pointer on before it writes, so a cleared log (0x2000) gets its first entry at 0x2005 and
// entry 0 of block 0 is used only after the ring wraps.
class DischargeLogWriter {
public:
    static constexpr int AreaStart = 0x2000;
    static constexpr int BlockSize = 64;
    static constexpr int BlockCount = 63;
    static constexpr int EntriesPerBlock = 12;
    static constexpr int EntrySize = 5;
    static constexpr quint16 WrappedBit = 0x8000;

    explicit DischargeLogWriter(LogMemory& memory);

    void clear();
    void append(const DischargeEntry& entry);

    // The pointer word as the unit serves it: address and wrapped bit.
    quint16 pointerWord() const;
    void restore(quint16 pointerWord);

private:
    int nextOffset() const;

    LogMemory& memory_;
    int offset_ = 0; // of the newest entry, from 0x2000
    bool wrapped_ = false;
};
