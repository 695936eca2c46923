#pragma once

#include <QByteArray>
#include <cstdint>

// Memory images of the unit's logs, built the way the unit fills them. Tests build their images
// here rather than keep binary files.

// The periodic log area (7424 bytes from unit address 0x0300).
class PeriodicLogImage {
public:
    static constexpr int Empty = 0x1CC0; // newest pointer of an empty log, rebased

    PeriodicLogImage();

    // Appends a record; fields holds the item values in flag order, 2 bytes per item. A change
    // of flags or a full block starts the next block, whose first byte points at the last
    // record of the block before.
    void append(std::uint16_t dayWord, std::uint8_t minutes, std::uint16_t flags,
                const QByteArray& fields);
    // A record with every listed item's bytes zero except the time stamp.
    void appendStamp(std::uint16_t dayWord, std::uint8_t minutes, std::uint16_t flags);

    // The unit's newest-record pointer less 0x0300.
    int newest() const { return newest_; }
    const QByteArray& bytes() const { return bytes_; }
    QByteArray& bytes() { return bytes_; }

    static int recordSize(std::uint16_t flags);

private:
    void startBlock(std::uint16_t flags);

    QByteArray bytes_;
    int newest_ = Empty;
};

// One battery's efficiency log (2048 bytes).
class EfficiencyLogImage {
public:
    EfficiencyLogImage();
    void setRecord(int index, std::uint8_t minutes, std::uint16_t dayWord, std::uint32_t counterA,
                   std::uint32_t counterB, bool valid);
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// The discharge profile log (4096 bytes from unit address 0x2000).
class DischargeProfileImage {
public:
    DischargeProfileImage();
    // index: ring entry 0..755
    void setEntry(int index, std::uint8_t byte0, std::uint16_t dayAndVolts, std::uint16_t amps);
    static int offset(int index);
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Little-endian bytes of 16-bit words.
QByteArray words(std::initializer_list<std::uint16_t> values);
