#pragma once

#include "link/LinkConstants.h"
#include "link/LinkReceiver.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <algorithm>

// A window stand-in that keeps every link message it gets, with a copy of the reply data taken
// while handling it (the descriptor is overwritten by the next request).
class RecordingReceiver : public QObject, public LinkReceiver {
public:
    struct Message {
        int message = 0;
        int wParam = 0;
        int kind = -1;
        int tag = -1;
        int status = -1;
        QByteArray data;
    };

    bool event(QEvent* event) override { return handleLinkEvent(event) || QObject::event(event); }

    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int state) override { record(WM_LINK_TCPSTATUS, state, nullptr); }
    void onSerialStatus() override { record(WM_LINK_SERIALSTATUS, 0, nullptr); }

    const QList<Message>& messages() const { return messages_; }
    QList<Message> replies() const;
    int count(int message) const
    {
        return std::ranges::count(messages_, message, &Message::message);
    }
    void clear() { messages_.clear(); }

private:
    void record(int message, int count, const LinkRequest* request);

    QList<Message> messages_;
};
