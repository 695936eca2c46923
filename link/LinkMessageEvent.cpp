#include "link/LinkMessageEvent.h"

LinkMessageEvent::LinkMessageEvent(int message, int wParam, LinkRequest* request)
    : QEvent(eventType()), message_(message), wParam_(wParam), request_(request)
{}

QEvent::Type LinkMessageEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
