#include "simulator/UnitSession.h"

#include "link/LoginCode.h"
#include "simulator/ReplyShaper.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/UnitChecksum.h"

#include <algorithm>

namespace {

constexpr char GreetingText[] = "ZELTNET1";

bool isLoginCode(QByteArrayView bytes)
{
    for (int i = 0; i < UnitSession::LoginCodeSize; ++i) {
        if (static_cast<quint8>(bytes[i]) != LoginCode[static_cast<std::size_t>(i)])
            return false;
    }
    return true;
}

} // namespace

UnitSession::UnitSession(UnitFrameParser::Framing framing, SimulatedUnit& unit, FaultPlan& faults,
                         SessionSettings settings)
    : framing_(framing), unit_(unit), faults_(faults), settings_(std::move(settings)),
      parser_(framing)
{
    loggedIn_ = !network();
}

QList<Transmission> UnitSession::open()
{
    if (!network())
        return {};
    QByteArray greeting(1, static_cast<char>(settings_.interfaceVersion));
    greeting.append(GreetingText, LoginCodeSize);
    log(QStringLiteral("greeting sent"));
    return {{greeting}};
}

QList<Transmission> UnitSession::receive(QByteArrayView bytes, qint64 nowMs)
{
    QList<Transmission> out;
    if (!loggedIn_)
        out += takeLoginCode(bytes);
    if (!loggedIn_ || bytes.isEmpty())
        return out;
    parser_.feed(bytes, nowMs);
    for (const UnitFrameParser::Rejected& rejected : parser_.takeRejected())
        log(QStringLiteral("ignored %1 byte(s): %2")
                .arg(rejected.bytes.size())
                .arg(rejected.reason));
    for (const UnitRequest& request : parser_.takeRequests())
        out += serve(request);
    return out;
}

QList<Transmission> UnitSession::takeLoginCode(QByteArrayView& bytes)
{
    QList<Transmission> out;
    while (!loggedIn_ && !bytes.isEmpty()) {
        const qsizetype wanted = LoginCodeSize - loginBytes_.size();
        loginBytes_.append(bytes.first(std::min(wanted, bytes.size())));
        bytes = bytes.sliced(std::min(wanted, bytes.size()));
        if (loginBytes_.size() < LoginCodeSize)
            break;
        const bool refused = faults_.refusesLogin();
        loggedIn_ = isLoginCode(loginBytes_) && !refused;
        loginBytes_.clear();
        log(loggedIn_ ? QStringLiteral("login accepted")
                      : QStringLiteral("login refused%1")
                            .arg(refused ? QLatin1String(" (fault)") : QLatin1String("")));
        out.append({QByteArray(1, static_cast<char>(loggedIn_ ? LoginAccepted : LoginRefused))});
    }
    return out;
}

QList<Transmission> UnitSession::serve(const UnitRequest& request)
{
    if (settings_.taken)
        settings_.taken(request);
    const QByteArray reply = answer(request);
    const std::optional<FaultKind> fault = faults_.faultFor(request);
    log(QStringLiteral("%1 -> %2 byte(s)%3")
            .arg(request.describe())
            .arg(reply.size())
            .arg(fault ? QStringLiteral(" [%1]").arg(FaultPlan::nameOf(*fault)) : QString()));
    return ReplyShaper::shape(reply, fault, network());
}

QByteArray UnitSession::answer(const UnitRequest& request)
{
    switch (request.kind) {
    case UnitRequest::Kind::Read:
        return checkedReply(unit_.read(request.address, request.count));
    case UnitRequest::Kind::BulkRead:
        return checkedReply(unit_.bulkRead(request.address, request.count));
    case UnitRequest::Kind::Write:
        unit_.write(request.address, request.data);
        break;
    }
    // A WRITE is acknowledged with its own frame's checksum byte.
    QByteArray ack(1, static_cast<char>(request.checksum));
    return network() ? QByteArray(1, static_cast<char>(settings_.statusByte)) + ack : ack;
}

QByteArray UnitSession::checkedReply(const QByteArray& data) const
{
    QByteArray reply =
        network() ? QByteArray(1, static_cast<char>(settings_.statusByte)) : QByteArray();
    reply += data;
    reply.append(static_cast<char>(UnitChecksum::over(reply)));
    return reply;
}

void UnitSession::log(const QString& text) const
{
    if (settings_.log)
        settings_.log(text);
}
