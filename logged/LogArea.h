#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

// One log's transfer from the unit: the buffer its block reads fill, the next request to make,
// and what the unit said of the log (present, wrapped, newest-entry pointer).
class LogArea {
public:
    // The buffer holds requestCount replies of bytesPerRequest bytes and mirrors unit memory from
    // unitAddress on; it starts zero-filled.
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
    std::uint16_t unitAddress() const { return unitAddress_; }
    std::uint16_t bytesPerRequest() const { return bytesPerRequest_; }
    int requestCount() const { return requestCount_; }
    int requestsMade() const { return requestsMade_; }
    bool hasMoreRequests() const { return requestsMade_ < requestCount_; }
    void noteRequestIssued() { ++requestsMade_; }

    // Stores the reply to the block read last issued at the write position and moves on to the
    // next block. False, and nothing stored, when the reply is not exactly one request long or
    // would not fit.
    bool storeReply(QByteArrayView reply);
    // Stores bytes that the unit holds from unitAddress on (a page read on its own, or a memory
    // image). False, and nothing stored, unless they lie wholly inside the area.
    bool storeAt(std::uint16_t unitAddress, QByteArrayView bytes);

private:
    bool present_ = false;
    bool wrapped_ = false;
    bool done_ = false;
    std::uint16_t pointer_ = 0;
    QByteArray buffer_;
    int writePosition_ = 0;
    std::uint16_t baseAddress_;
    std::uint16_t unitAddress_;
    std::uint16_t bytesPerRequest_;
    int requestCount_;
    int requestsMade_ = 0;
};
