#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <cstdint>
#include <mutex>

// A unit's record store for link tests: answers READ frames with the record's bytes and WRITE
// frames with their acknowledgement, keeping what was written. Serial frames arrive on the
// scripted unit's thread, so everything is behind one lock.
class RecordUnit {
public:
    struct Request {
        std::uint8_t command = 0; // 0x81 READ, 0x01 WRITE
        std::uint8_t address = 0;
        QByteArray data; // WRITE only
    };

    void setRecord(std::uint8_t address, const QByteArray& bytes);
    QByteArray record(std::uint8_t address) const;
    // The next count WRITEs are acknowledged with a byte that is not their checksum.
    void spoilAcknowledgements(int count);
    // Requests get no answer at all.
    void setMute(bool mute);

    // A serial request frame in, the serial reply out.
    QByteArray answer(const QByteArray& frame);
    // TCP: takes the complete frames (each after its 0x00) from pending and returns the adapter's
    // replies, each led by a status byte.
    QByteArray answerTcp(QByteArray& pending);

    QList<Request> requests() const;
    QList<Request> writes() const;

private:
    QByteArray replyTo(const QByteArray& frame, bool tcp);

    mutable std::mutex mutex_;
    QMap<std::uint8_t, QByteArray> records_;
    QList<Request> requests_;
    int spoiled_ = 0;
    bool mute_ = false;
};
