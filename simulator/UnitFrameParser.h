#pragma once

#include "simulator/UnitRequest.h"

#include <QByteArray>
#include <QList>

// Takes the bytes the unit receives, in whatever pieces they arrive, and hands out complete
// requests. Bytes that cannot start a frame and frames whose checksum fails are set aside as
// rejected; the unit answers neither. A partial frame left waiting longer than the stale time
// is dropped, as the unit's receiver gives up on a frame whose sender has gone quiet.
class UnitFrameParser {
public:
    enum class Framing {
        Serial,  // frames as they are
        Network, // every frame preceded by one 0x00 byte (the network adapter's framing)
    };

    struct Rejected {
        QByteArray bytes;
        QString reason;
    };

    static constexpr int DefaultStaleMs = 500;

    explicit UnitFrameParser(Framing framing, int staleMs = DefaultStaleMs);

    // nowMs: a monotonic time stamp of the arrival.
    void feed(QByteArrayView bytes, qint64 nowMs);
    QList<UnitRequest> takeRequests();
    QList<Rejected> takeRejected();
    // Bytes of an incomplete frame still waiting.
    int pendingBytes() const { return static_cast<int>(pending_.size()); }
    void reset();

private:
    enum class Step { NeedMore, Consumed };

    Step parseOne();
    int prefixSize() const;
    // Length of the frame starting after the prefix, or 0 while it is not yet known.
    int frameLengthAt(int start) const;
    void reject(int count, const QString& reason);
    void accept(int start, int length);

    Framing framing_;
    int staleMs_;
    qint64 lastByteMs_ = 0;
    QByteArray pending_;
    QList<UnitRequest> requests_;
    QList<Rejected> rejected_;
};
