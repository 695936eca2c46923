#include "programming/ParameterSession.h"

#include "link/CUnitLink.h"
#include "link/LinkConstants.h"
#include "link/LinkRequest.h"
#include "link/RecordMap.h"
#include "programming/CProgramData.h"
#include "programming/EraseCommands.h"
#include "programming/ParameterCoding.h"
#include "resources/PromptService.h"

namespace {

constexpr int READ_ERROR = 1043;
constexpr int BAD_ACKNOWLEDGEMENT = 2601;

const std::uint8_t* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const std::uint8_t*>(bytes.constData());
}

} // namespace

ParameterSession::ParameterSession(CUnitLink& link, PromptService& prompts,
                                   QList<CProgramData*> records, QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts), records_(std::move(records))
{}

bool ParameterSession::read()
{
    incoming_.clear();
    return requestRecord(0);
}

ParameterSession::WriteResult ParameterSession::write(const QByteArray& bytes,
                                                      QObject* acknowledgementOwner)
{
    if (!hasRead_ || records_.size() != 1)
        return WriteResult::NeverRead;
    CProgramData& record = *records_.first();
    const QByteArray fitted = ParameterCoding::fitted(bytes, record.length());
    if (!link_.Write(acknowledgementOwner, record.address(), record.length(), bytesOf(fitted))) {
        prompts_.show(READ_ERROR);
        return WriteResult::Refused;
    }
    record.storeValue(fitted);
    return WriteResult::Sent;
}

ParameterSession::WriteResult ParameterSession::writeInTurn(const QList<QByteArray>& bytes,
                                                            QObject* lastOwner)
{
    if (!hasRead_ || bytes.size() != records_.size())
        return WriteResult::NeverRead;
    writes_.clear();
    for (qsizetype i = 0; i < records_.size(); ++i) {
        writes_.append(ParameterCoding::fitted(bytes[i], records_[i]->length()));
        records_[i]->storeValue(writes_.last());
    }
    lastOwner_ = lastOwner;
    acknowledged_ = 0;
    writing_ = true;
    return sendInTurn(0) ? WriteResult::Sent : WriteResult::Refused;
}

ParameterSession::WriteResult ParameterSession::writeCommand(std::uint8_t command)
{
    const bool commandRecord = records_.size() == 1 &&
                               records_.first()->address() == RecordMap::Command.address &&
                               records_.first()->length() == 1;
    if (!commandRecord)
        return WriteResult::NeverRead;
    if (!link_.Write(this, RecordMap::Command.address, 1, &command)) {
        prompts_.show(READ_ERROR);
        return WriteResult::Refused;
    }
    awaitingCommandAcknowledgement_ = true;
    return WriteResult::Sent;
}

void ParameterSession::onTcpReply(int count, LinkRequest* request)
{
    onReply(count, request);
}

void ParameterSession::onSerialReply(int count, LinkRequest* request)
{
    onReply(count, request);
}

void ParameterSession::onReply(int count, const LinkRequest* request)
{
    if (request == nullptr)
        return;
    // The descriptor and its buffer belong to the link, and the next request reuses them: copy
    // first, reset, and only then ask for more.
    Reply reply;
    reply.count = count;
    reply.kind = request->kind;
    reply.tag = request->tag;
    if (request->data && count > 0 && count <= LinkBufferSize)
        reply.data = QByteArray(reinterpret_cast<const char*>(request->data), count);
    reply.acknowledgement = WriteAcknowledgement::judge(count, *request);
    link_.ResetReceive();

    if (reply.kind == REQ_PARAM)
        takeRecord(reply);
    else if (reply.acknowledgement != WriteAcknowledgement::Verdict::NotAnAcknowledgement)
        takeAcknowledgement(reply);
}

void ParameterSession::takeRecord(const Reply& reply)
{
    if (awaitedRecord_ < 0 || reply.tag != tagOf(awaitedRecord_))
        return;
    if (reply.count != records_[awaitedRecord_]->length())
        return;
    incoming_.append(reply.data);
    const int next = awaitedRecord_ + 1;
    awaitedRecord_ = -1;
    if (next < records_.size()) {
        requestRecord(next);
        return;
    }
    bytesRead_ = incoming_;
    hasRead_ = true;
    Q_EMIT recordsRead();
}

void ParameterSession::takeAcknowledgement(const Reply& reply)
{
    const bool matches = reply.acknowledgement == WriteAcknowledgement::Verdict::Matches;
    if (awaitingCommandAcknowledgement_) {
        awaitingCommandAcknowledgement_ = false;
        if (!matches) {
            prompts_.show(BAD_ACKNOWLEDGEMENT);
            Q_EMIT writeRejected();
        }
        return;
    }
    if (!writing_)
        return;
    if (!matches) {
        prompts_.show(BAD_ACKNOWLEDGEMENT);
        acknowledged_ = 0;
        writing_ = false;
        Q_EMIT writeRejected();
        return;
    }
    ++acknowledged_;
    if (acknowledged_ < writes_.size()) {
        sendInTurn(acknowledged_);
        return;
    }
    writing_ = false;
    Q_EMIT writesDone();
}

bool ParameterSession::requestRecord(int index)
{
    const CProgramData& record = *records_[index];
    awaitedRecord_ = index;
    if (link_.Read(this, record.address(), record.length(), REQ_PARAM, tagOf(index)))
        return true;
    awaitedRecord_ = -1;
    prompts_.show(READ_ERROR);
    Q_EMIT readRefused();
    return false;
}

std::uint16_t ParameterSession::tagOf(int index) const
{
    return records_.size() == 1 ? 0 : static_cast<std::uint16_t>(index + 1);
}

bool ParameterSession::sendInTurn(int index)
{
    const CProgramData& record = *records_[index];
    QObject* owner = ownerInTurn(index);
    if (!link_.Write(owner, record.address(), record.length(), bytesOf(writes_[index]))) {
        writing_ = false;
        return false;
    }
    if (owner != this) {
        writing_ = false;
        Q_EMIT writesDone();
    }
    return true;
}

QObject* ParameterSession::ownerInTurn(int index)
{
    const bool last = index == writes_.size() - 1;
    return last && lastOwner_ ? lastOwner_ : this;
}
