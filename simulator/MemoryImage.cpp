#include "simulator/MemoryImage.h"

#include <QFile>
#include <QSaveFile>

MemoryImage::MemoryImage()
    : memory(MemorySize, '\0'), periodicRecord(PeriodicRecordSize, '\0'),
      dischargeRecord(DischargeRecordSize, '\0')
{}

QByteArray MemoryImage::toBytes() const
{
    return memory + periodicRecord + dischargeRecord;
}

bool MemoryImage::fromBytes(const QByteArray& bytes)
{
    if (bytes.size() != Size) {
        error_ = QStringLiteral("a memory image holds %1 bytes, this one %2")
                     .arg(Size)
                     .arg(bytes.size());
        return false;
    }
    memory = bytes.left(MemorySize);
    periodicRecord = bytes.mid(MemorySize, PeriodicRecordSize);
    dischargeRecord = bytes.mid(MemorySize + PeriodicRecordSize, DischargeRecordSize);
    return true;
}

bool MemoryImage::read(QIODevice& device)
{
    // One byte more than an image, so that a longer file is refused rather than cut.
    const QByteArray bytes = device.read(Size + 1);
    return fromBytes(bytes);
}

bool MemoryImage::write(QIODevice& device)
{
    const QByteArray bytes = toBytes();
    if (device.write(bytes) != bytes.size()) {
        error_ = device.errorString();
        return false;
    }
    return true;
}

bool MemoryImage::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return read(file);
}

bool MemoryImage::save(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit()) {
        error_ = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
