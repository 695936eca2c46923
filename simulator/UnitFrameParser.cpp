#include "simulator/UnitFrameParser.h"

#include "simulator/UnitChecksum.h"

namespace {

constexpr quint8 ReadCode = 0x81;
constexpr quint8 BulkReadCode = 0xC1;
constexpr quint8 WriteCode = 0x01;
constexpr int ShortFrameSize = 4; // READ and BULK READ: code, address, count, checksum
constexpr int WriteOverhead = 4;  // code, address, length ... checksum

quint8 byteAt(const QByteArray& bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

} // namespace

UnitFrameParser::UnitFrameParser(Framing framing, int staleMs)
    : framing_(framing), staleMs_(staleMs)
{}

void UnitFrameParser::feed(QByteArrayView bytes, qint64 nowMs)
{
    if (!pending_.isEmpty() && nowMs - lastByteMs_ > staleMs_)
        reject(static_cast<int>(pending_.size()), QStringLiteral("incomplete frame went stale"));
    lastByteMs_ = nowMs;
    pending_.append(bytes.data(), bytes.size());
    while (!pending_.isEmpty() && parseOne() == Step::Consumed) {
    }
}

QList<UnitRequest> UnitFrameParser::takeRequests()
{
    return std::exchange(requests_, {});
}

QList<UnitFrameParser::Rejected> UnitFrameParser::takeRejected()
{
    return std::exchange(rejected_, {});
}

void UnitFrameParser::reset()
{
    pending_.clear();
}

int UnitFrameParser::prefixSize() const
{
    return framing_ == Framing::Network ? 1 : 0;
}

UnitFrameParser::Step UnitFrameParser::parseOne()
{
    const int start = prefixSize();
    if (start == 1 && byteAt(pending_, 0) != 0x00) {
        reject(1, QStringLiteral("byte without the 0x00 prefix"));
        return Step::Consumed;
    }
    if (pending_.size() <= start)
        return Step::NeedMore;
    const quint8 code = byteAt(pending_, start);
    if (code != ReadCode && code != BulkReadCode && code != WriteCode) {
        reject(start + 1, QStringLiteral("unknown request code"));
        return Step::Consumed;
    }
    const int length = frameLengthAt(start);
    if (length == 0 || pending_.size() < start + length)
        return Step::NeedMore;
    if (!UnitChecksum::holds(QByteArrayView(pending_).sliced(start, length))) {
        reject(start + length, QStringLiteral("bad checksum"));
        return Step::Consumed;
    }
    accept(start, length);
    pending_.remove(0, start + length);
    return Step::Consumed;
}

int UnitFrameParser::frameLengthAt(int start) const
{
    if (byteAt(pending_, start) != WriteCode)
        return ShortFrameSize;
    if (pending_.size() < start + 3)
        return 0;
    return WriteOverhead + byteAt(pending_, start + 2);
}

void UnitFrameParser::reject(int count, const QString& reason)
{
    rejected_.append({pending_.left(count), reason});
    pending_.remove(0, count);
}

void UnitFrameParser::accept(int start, int length)
{
    UnitRequest request;
    const quint8 code = byteAt(pending_, start);
    request.kind = code == ReadCode       ? UnitRequest::Kind::Read
                   : code == BulkReadCode ? UnitRequest::Kind::BulkRead
                                          : UnitRequest::Kind::Write;
    request.address = byteAt(pending_, start + 1);
    request.count = byteAt(pending_, start + 2);
    if (request.kind == UnitRequest::Kind::Write)
        request.data = pending_.mid(start + 3, request.count);
    request.checksum = byteAt(pending_, start + length - 1);
    request.frameSize = start + length;
    request.frame = pending_.mid(start, length);
    requests_.append(request);
}
