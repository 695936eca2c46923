#pragma once

#include <QEvent>

struct LinkRequest;

// A link message (WM_LINK_TCPREPLY ... WM_DOWNLOAD_DONE) posted through the event queue.
// wParam and request carry what the message's table gives them.
class LinkMessageEvent : public QEvent {
public:
    LinkMessageEvent(int message, int wParam, LinkRequest* request);

    static QEvent::Type eventType();

    int message() const { return message_; }
    int wParam() const { return wParam_; }
    LinkRequest* request() const { return request_; }

private:
    int message_;
    int wParam_;
    LinkRequest* request_;
};
