#include "link/LinkReceiver.h"

#include "link/LinkConstants.h"
#include "link/LinkMessageEvent.h"

#include <QCoreApplication>

LinkReceiver::~LinkReceiver() = default;

void LinkReceiver::onUserMessage(int, int) {}

bool LinkReceiver::handleLinkEvent(QEvent* event)
{
    if (event->type() != LinkMessageEvent::eventType())
        return false;
    const auto* message = static_cast<LinkMessageEvent*>(event);
    dispatchLinkMessage(message->message(), message->wParam(), message->request());
    return true;
}

void LinkReceiver::dispatchLinkMessage(int message, int wParam, LinkRequest* request)
{
    switch (message) {
    case WM_LINK_TCPREPLY:
        onTcpReply(wParam, request);
        break;
    case WM_LINK_TCPSTATUS:
        onTcpStatus(wParam);
        break;
    case WM_LINK_SERIALREPLY:
        onSerialReply(wParam, request);
        break;
    case WM_LINK_SERIALSTATUS:
        onSerialStatus();
        break;
    default:
        onUserMessage(message, wParam);
        break;
    }
}

void postLinkMessage(QObject* owner, int message, int wParam, LinkRequest* request)
{
    if (owner)
        QCoreApplication::postEvent(owner, new LinkMessageEvent(message, wParam, request));
}

void sendLinkMessage(QObject* owner, int message, int wParam, LinkRequest* request)
{
    if (auto* receiver = dynamic_cast<LinkReceiver*>(owner))
        receiver->dispatchLinkMessage(message, wParam, request);
}
