#include "programming/RecordExchange.h"

#include "link/CUnitLink.h"
#include "link/ReplyWatch.h"
#include "programming/ParameterSession.h"
#include "programming/ParameterTable.h"
#include "resources/StringTable.h"

#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int READ_ERROR = 1043;

} // namespace

RecordExchange::RecordExchange(CUnitLink& link, ParameterTable& table) : link_(link), table_(table)
{}

RecordExchange::~RecordExchange() = default;

std::optional<QByteArray> RecordExchange::read(int slot)
{
    ParameterSession& session = sessionFor(slot);
    if (!await(session, &ParameterSession::recordsRead, &ParameterSession::readRefused,
               table_.slot(slot).length(), [&session] { return session.read(); }))
        return std::nullopt;
    return session.bytesRead();
}

bool RecordExchange::write(int slot, const QByteArray& bytes)
{
    ParameterSession& session = sessionFor(slot);
    // A session writes only a record it has read; nothing else is lost by reading it once more.
    if (!session.hasRead() && !read(slot))
        return false;
    return await(session, &ParameterSession::writesDone, &ParameterSession::writeRejected, 1,
                 [&session, &bytes] {
                     return session.writeInTurn({bytes}) == ParameterSession::WriteResult::Sent;
                 });
}

PromptAnswer RecordExchange::ask(const Prompt& prompt)
{
    if (error_.isEmpty())
        error_ = prompt.text;
    return PromptAnswer::Ok;
}

ParameterSession& RecordExchange::sessionFor(int slot)
{
    std::unique_ptr<ParameterSession>& session = sessions_[slot];
    PromptService& keptMessages = *this;
    if (!session)
        session = std::make_unique<ParameterSession>(link_, keptMessages,
                                                     QList<CProgramData*>{&table_.slot(slot)});
    return *session;
}

template <typename Done, typename Failed>
bool RecordExchange::await(ParameterSession& session, Done done, Failed failed, int length,
                           const std::function<bool()>& start)
{
    error_.clear();
    QEventLoop loop;
    std::optional<bool> outcome;
    const auto finish = [&loop, &outcome](bool succeeded) {
        if (!outcome)
            outcome = succeeded;
        loop.quit();
    };
    QObject::connect(&session, done, &loop, [&finish] { finish(true); });
    QObject::connect(&session, failed, &loop, [&finish] { finish(false); });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&finish] { finish(false); });
    if (!start())
        outcome = false;
    if (!outcome) {
        limit.start(static_cast<int>(
            ReplyWatch::limitFor(length, link_.GetSerialTimeouts(), link_.GetPortType())));
        loop.exec();
    }
    // A request makes its session the receiver of the connection's news; a connection that opens
    // anew must greet the window that owns the link, which logs in.
    link_.SetOwner(link_.GetOwner());
    if (!*outcome && error_.isEmpty())
        error_ = linkErrorText();
    return *outcome;
}

QString RecordExchange::linkErrorText() const
{
    const QString linkError =
        link_.GetState() == LINK_ERROR ? loadString(link_.GetError()) : QString();
    return linkError.isEmpty() ? loadString(READ_ERROR) : linkError;
}
