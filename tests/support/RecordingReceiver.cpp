#include "tests/support/RecordingReceiver.h"

#include "link/LinkConstants.h"
#include "link/LinkRequest.h"

void RecordingReceiver::onTcpReply(int count, LinkRequest* request)
{
    record(WM_LINK_TCPREPLY, count, request);
}

void RecordingReceiver::onSerialReply(int count, LinkRequest* request)
{
    record(WM_LINK_SERIALREPLY, count, request);
}

void RecordingReceiver::onTcpStatus(int state)
{
    record(WM_LINK_TCPSTATUS, state, nullptr);
}

void RecordingReceiver::onSerialStatus()
{
    record(WM_LINK_SERIALSTATUS, 0, nullptr);
}

void RecordingReceiver::record(int message, int count, const LinkRequest* request)
{
    Message m;
    m.message = message;
    m.wParam = count;
    if (request) {
        m.kind = request->kind;
        m.tag = request->tag;
        m.status = request->status;
        m.data = QByteArray(reinterpret_cast<const char*>(request->data), count);
    }
    messages_.append(m);
}

QList<RecordingReceiver::Message> RecordingReceiver::replies() const
{
    QList<Message> found;
    for (const Message& m : messages_)
        if (m.message == WM_LINK_TCPREPLY || m.message == WM_LINK_SERIALREPLY)
            found.append(m);
    return found;
}

int RecordingReceiver::count(int message) const
{
    int n = 0;
    for (const Message& m : messages_)
        n += m.message == message ? 1 : 0;
    return n;
}
