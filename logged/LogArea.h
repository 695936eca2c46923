#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

// One log's transfer from the unit: the buffer its block reads fill, the reads still to make,
// and what the unit said of the log (present, wrapped, newest-entry pointer).
class LogArea {
public:
    // One block read: where it starts, how long it is, and how many of its first bytes the
    // buffer holds already as the unit cannot have changed them since they were kept.
    struct Read {
        std::uint16_t unitAddress = 0;
        std::uint16_t length = 0;
        std::uint16_t keptBytes = 0;
    };

    // The buffer holds requestCount replies of bytesPerRequest bytes and mirrors unit memory from
    // unitAddress on; it starts zero-filled, and the reads cover it from start to end.
    LogArea(std::uint16_t unitAddress, std::uint16_t bytesPerRequest, int requestCount);

    bool present() const { return present_; }
    void setPresent(bool present) { present_ = present; }
    bool wrapped() const { return wrapped_; }
    void setWrapped(bool wrapped) { wrapped_ = wrapped; }
    bool done() const { return done_; }
    void setDone(bool done) { done_ = done; }
    // The unit's newest-entry pointer, rebased as the log's decoder takes it.
    std::uint16_t pointer() const { return pointer_; }
    void setPointer(std::uint16_t pointer) { pointer_ = pointer; }

    QByteArrayView buffer() const { return buffer_; }
    std::uint16_t bufferSize() const { return static_cast<std::uint16_t>(buffer_.size()); }
    std::uint16_t baseAddress() const { return baseAddress_; }

    // The block read to issue next.
    std::uint16_t unitAddress() const;
    std::uint16_t bytesPerRequest() const;
    int requestCount() const { return static_cast<int>(reads_.size()); }
    int requestsMade() const { return requestsMade_; }
    bool hasMoreRequests() const { return requestsMade_ < requestCount(); }
    void noteRequestIssued() { ++requestsMade_; }

    // Only these reads, in this order, over a buffer that holds the rest already.
    void planReads(std::vector<Read> reads);
    // Back to reading the whole area from its start.
    void planWholeArea();
    // Reads of the whole area are the plan.
    bool readsWholeArea() const { return wholeArea_; }

    // The reply to the read last issued differs from the buffer in bytes it was to keep: the
    // buffer is not what the unit holds.
    bool keptBytesDiffer(QByteArrayView reply) const;
    // Stores the reply to the read last issued where it belongs and moves on to the next read.
    // False, and nothing stored, when no read awaits it or it is not exactly that read's length.
    bool storeReply(QByteArrayView reply);
    // Bytes of replies stored, over every plan.
    int bytesRead() const { return bytesRead_; }
    // Stores bytes that the unit holds from unitAddress on (a page read on its own, or a memory
    // image). False, and nothing stored, unless they lie wholly inside the area.
    bool storeAt(std::uint16_t unitAddress, QByteArrayView bytes);

private:
    const Read* awaited() const;

    bool present_ = false;
    bool wrapped_ = false;
    bool done_ = false;
    std::uint16_t pointer_ = 0;
    QByteArray buffer_;
    std::uint16_t baseAddress_;
    std::uint16_t wholeBytesPerRequest_;
    std::vector<Read> reads_;
    bool wholeArea_ = true;
    int requestsMade_ = 0;
    int stored_ = 0;
    int bytesRead_ = 0;
};
