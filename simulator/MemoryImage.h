#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// A saved state of the unit's logs: the 16,384 bytes of log memory 0x0000-0x3FFF, then the
// 4 bytes of record 0xD2 and the 3 bytes of record 0xD1 as the unit serves them (16,391 bytes).
class MemoryImage {
public:
    static constexpr int MemorySize = 0x4000;
    static constexpr int PeriodicRecordSize = 4;
    static constexpr int DischargeRecordSize = 3;
    static constexpr int Size = MemorySize + PeriodicRecordSize + DischargeRecordSize;

    MemoryImage();

    QByteArray memory;          // 16,384 bytes
    QByteArray periodicRecord;  // record 0xD2: 4 bytes
    QByteArray dischargeRecord; // record 0xD1: 3 bytes

    QByteArray toBytes() const;
    bool fromBytes(const QByteArray& bytes);

    bool read(QIODevice& device);
    bool write(QIODevice& device);
    bool load(const QString& path);
    // Replaces the file atomically.
    bool save(const QString& path);
    const QString& errorString() const { return error_; }

private:
    QString error_;
};
