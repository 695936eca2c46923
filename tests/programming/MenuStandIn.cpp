#include "tests/programming/MenuStandIn.h"

#include "link/CUnitLink.h"
#include "link/TcpLogin.h"

void MenuStandIn::onTcpReply(int count, LinkRequest* request)
{
    RecordingReceiver::onTcpReply(count, request);
    if (TcpLogin::onReply(link_, count, *request).step == TcpLogin::Step::NotLogin)
        checkAcknowledgement(count, *request);
}

void MenuStandIn::onSerialReply(int count, LinkRequest* request)
{
    RecordingReceiver::onSerialReply(count, request);
    checkAcknowledgement(count, *request);
}

void MenuStandIn::checkAcknowledgement(int count, const LinkRequest& request)
{
    const auto verdict = WriteAcknowledgement::check(count, request, prompts_);
    if (verdict != WriteAcknowledgement::Verdict::NotAnAcknowledgement)
        verdicts_.append(verdict);
    link_.ResetReceive();
}
