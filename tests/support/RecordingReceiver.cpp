#include "tests/support/RecordingReceiver.h"

#include "link/LinkRequest.h"

void RecordingReceiver::onTcpReply(int count, LinkRequest* request)
{
    record(WM_LINK_TCPREPLY, count, request);
}

void RecordingReceiver::onSerialReply(int count, LinkRequest* request)
{
    record(WM_LINK_SERIALREPLY, count, request);
}

void RecordingReceiver::record(int message, int count, const LinkRequest* request)
{
    if (request)
        messages_.append({message, count, request->kind, request->tag, request->status,
                          QByteArray(reinterpret_cast<const char*>(request->data), count)});
    else
        messages_.append({message, count, -1, -1, -1, {}});
}

QList<RecordingReceiver::Message> RecordingReceiver::replies() const
{
    QList<Message> found;
    std::ranges::copy_if(messages_, std::back_inserter(found), [](const Message& m) {
        return m.message == WM_LINK_TCPREPLY || m.message == WM_LINK_SERIALREPLY;
    });
    return found;
}
