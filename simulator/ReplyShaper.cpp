#include "simulator/ReplyShaper.h"

#include "simulator/UnitChecksum.h"

QList<Transmission> ReplyShaper::shape(const QByteArray& reply, std::optional<FaultKind> fault,
                                       bool canHangUp)
{
    if (!fault.has_value())
        return {{reply}};
    QByteArray bytes = reply;
    switch (*fault) {
    case FaultKind::BadChecksum:
        if (!bytes.isEmpty())
            bytes.back() = static_cast<char>(bytes.back() + 1);
        return {{bytes}};
    case FaultKind::ShortReply:
        bytes.chop(1);
        return {{bytes}};
    case FaultKind::NoReply:
        return {};
    case FaultKind::Garbage:
        return {{garbageLike(reply)}};
    case FaultKind::SplitReply:
        return split(reply);
    case FaultKind::ExtraBytes:
        return {{bytes + QByteArray(ExtraByteCount, '\xEE')}};
    case FaultKind::Flood:
        return {{bytes + QByteArray(FloodByteCount, '\xEE')}};
    case FaultKind::DropConnection:
        return {{bytes.left(bytes.size() / 2), 0, canHangUp}};
    case FaultKind::RefuseLogin:
        break;
    }
    return {{reply}};
}

QByteArray ReplyShaper::garbageLike(const QByteArray& reply)
{
    QByteArray bytes(reply.size(), '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(0x5A + 37 * i);
    // Whatever it is, it must not pass for a checked reply.
    if (UnitChecksum::holds(bytes) || bytes == reply)
        bytes.back() = static_cast<char>(bytes.back() ^ 0x81);
    return bytes;
}

QList<Transmission> ReplyShaper::split(const QByteArray& reply)
{
    QList<Transmission> pieces;
    for (int offset = 0; offset < reply.size(); offset += SplitChunk)
        pieces.append({reply.mid(offset, SplitChunk), offset == 0 ? 0 : SplitPauseMs});
    return pieces;
}
