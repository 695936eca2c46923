#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <cstdint>
#include <mutex>

// The records of a unit as the poll cycle reads them, served by address: a READ of n bytes gets
// the first n bytes of the record (zeros where the record is shorter), a WRITE its checksum as
// the acknowledgement. Serial and TCP answers carry the framing of their transport. Safe to use
// from the scripted unit's thread while the test changes records.
class UnitRecords {
public:
    UnitRecords();

    void set(std::uint8_t address, const QByteArray& bytes);
    // The next READ of address gets no answer at all.
    void dropNext(std::uint8_t address);
    // The next READ of address is answered with a wrong checksum.
    void corruptNext(std::uint8_t address);
    // Every WRITE is acknowledged with this byte instead of its checksum.
    void acknowledgeWritesWith(std::uint8_t acknowledgement);

    // Answers to one request frame (without the TCP prefix); empty when the unit stays silent.
    QByteArray serialAnswer(const QByteArray& frame);
    QByteArray tcpAnswer(const QByteArray& frame);

    static QByteArray withChecksum(QByteArray bytes);

private:
    // Data bytes of the answer, or a null array for no answer; corrupt tells a bad checksum.
    QByteArray answerData(const QByteArray& frame, bool& corrupt);
    static QByteArray framed(QByteArray bytes, bool corrupt);

    std::mutex mutex_;
    QHash<std::uint8_t, QByteArray> records_;
    QSet<std::uint8_t> dropped_;
    QSet<std::uint8_t> corrupted_;
    int writeAcknowledgement_ = -1;
};
