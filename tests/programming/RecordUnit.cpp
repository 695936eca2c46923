#include "tests/programming/RecordUnit.h"

#include "tests/programming/TestBytes.h"

namespace {

constexpr char TCP_STATUS = 0x0A;

// The length of the request frame that starts bytes, or 0 while it is incomplete.
int frameLength(const QByteArray& bytes)
{
    if (bytes.size() < 3)
        return 0;
    const auto first = static_cast<unsigned char>(bytes[0]);
    const int length = first == 0x01 ? 4 + static_cast<unsigned char>(bytes[2]) : 4;
    return bytes.size() >= length ? length : 0;
}

} // namespace

void RecordUnit::setRecord(std::uint8_t address, const QByteArray& bytes)
{
    std::lock_guard lock(mutex_);
    records_[address] = bytes;
}

QByteArray RecordUnit::record(std::uint8_t address) const
{
    std::lock_guard lock(mutex_);
    return records_.value(address);
}

void RecordUnit::spoilAcknowledgements(int count)
{
    std::lock_guard lock(mutex_);
    spoiled_ = count;
}

void RecordUnit::setMute(bool mute)
{
    std::lock_guard lock(mutex_);
    mute_ = mute;
}

QByteArray RecordUnit::answer(const QByteArray& frame)
{
    std::lock_guard lock(mutex_);
    return replyTo(frame, false);
}

QByteArray RecordUnit::answerTcp(QByteArray& pending)
{
    std::lock_guard lock(mutex_);
    QByteArray replies;
    while (pending.size() > 1 && pending[0] == '\0') {
        const int length = frameLength(pending.mid(1));
        if (length == 0)
            break;
        replies += replyTo(pending.mid(1, length), true);
        pending.remove(0, length + 1);
    }
    return replies;
}

QList<RecordUnit::Request> RecordUnit::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

QList<RecordUnit::Request> RecordUnit::writes() const
{
    QList<Request> found;
    for (const Request& request : requests())
        if (request.command == 0x01)
            found.append(request);
    return found;
}

QByteArray RecordUnit::replyTo(const QByteArray& frame, bool tcp)
{
    Request request;
    request.command = static_cast<std::uint8_t>(frame[0]);
    request.address = static_cast<std::uint8_t>(frame[1]);
    const int length = static_cast<unsigned char>(frame[2]);
    if (request.command == 0x01)
        request.data = frame.mid(3, length);
    requests_.append(request);
    if (mute_)
        return {};

    const QByteArray status = tcp ? QByteArray(1, TCP_STATUS) : QByteArray();
    if (request.command == 0x01) {
        records_[request.address] = request.data;
        char acknowledgement = frame.back();
        if (spoiled_ > 0) {
            --spoiled_;
            acknowledgement = static_cast<char>(acknowledgement ^ 0x5A);
        }
        return status + QByteArray(1, acknowledgement);
    }
    QByteArray data = records_.value(request.address).left(length);
    data.resize(length, '\0');
    return withChecksum(status + data);
}
