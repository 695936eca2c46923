#pragma once

class QEvent;
class QObject;
struct LinkRequest;

// What every window that talks to the unit implements: the two reply messages and the two
// status messages of the link. The receiving QObject forwards its events here:
//     bool event(QEvent* e) override { return handleLinkEvent(e) || QDialog::event(e); }
class LinkReceiver {
public:
    virtual ~LinkReceiver();

    // WM_LINK_TCPREPLY / WM_LINK_SERIALREPLY: count data bytes are in request->data.
    virtual void onTcpReply(int count, LinkRequest* request) = 0;
    virtual void onSerialReply(int count, LinkRequest* request) = 0;
    // WM_LINK_TCPSTATUS (state when posted by the socket, 0 when sent by a read) and
    // WM_LINK_SERIALSTATUS.
    virtual void onTcpStatus(int state) = 0;
    virtual void onSerialStatus() = 0;
    // Other user messages posted to the same window (the download's completion).
    virtual void onUserMessage(int message, int wParam);

    // Dispatches a posted link message; false for any other event.
    bool handleLinkEvent(QEvent* event);
    // Dispatches one message by its number.
    void dispatchLinkMessage(int message, int wParam, LinkRequest* request);
};

// Posting runs the receiver's handler later from the event queue; sending runs it now. Both do
// nothing when there is no owner or the owner is not a LinkReceiver.
void postLinkMessage(QObject* owner, int message, int wParam, LinkRequest* request);
void sendLinkMessage(QObject* owner, int message, int wParam, LinkRequest* request);
