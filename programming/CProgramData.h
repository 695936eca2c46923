#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

class QDataStream;

// One program parameter record of the unit: where it lives (record address and length), how
// its dialog titles it, and the bytes a dialog last wrote to it.
class CProgramData {
public:
    static constexpr int VALUE_SIZE = 13;
    static constexpr int MAX_SUBJECT = 40;

    // An empty slot: no record, length 0.
    CProgramData() = default;
    CProgramData(std::uint16_t slot, std::uint16_t address, std::uint16_t length,
                 std::uint16_t titleId, const QString& subject);
    virtual ~CProgramData();
    CProgramData(const CProgramData&) = default;
    CProgramData& operator=(const CProgramData&) = default;

    std::uint16_t slot() const { return slot_; }
    // Only the low byte goes to the unit.
    std::uint8_t address() const { return static_cast<std::uint8_t>(address_); }
    int length() const { return length_; }
    std::uint16_t titleId() const { return titleId_; }
    const QString& subject() const { return subject_; }
    bool isEmpty() const { return length_ == 0; }

    // The header of a dialog: the first "%s" of format becomes the title text ("P14"), the
    // second the subject ("1").
    QString header(const QString& format) const;

    // The record as last written. Records longer than the cache (the network adapter's) keep
    // only what fits: the cache is never written beyond its 13 bytes.
    QByteArray value() const;
    void storeValue(QByteArrayView bytes);

    // The slot number (16 bits, low byte first) followed by the 13 value bytes. A cut-off
    // archive loads nothing.
    virtual void Serialize(QDataStream& archive) const;
    virtual void Deserialize(QDataStream& archive);

private:
    std::uint16_t slot_ = 0;
    std::uint16_t address_ = 0;
    std::uint16_t length_ = 0;
    std::uint16_t titleId_ = 0;
    std::array<std::uint8_t, VALUE_SIZE> value_{};
    QString subject_;
};
