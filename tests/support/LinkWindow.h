#pragma once

#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "tests/support/RecordingReceiver.h"

// A window of the program as far as the link sees it: it keeps every message and, over TCP,
// does the login exchange with the adapter as the program's windows do.
class LinkWindow : public RecordingReceiver {
public:
    explicit LinkWindow(CUnitLink& link) : link_(link) {}

    void onTcpReply(int count, LinkRequest* request) override
    {
        RecordingReceiver::onTcpReply(count, request);
        const TcpLogin::Outcome outcome = TcpLogin::onReply(link_, count, *request);
        if (outcome.step == TcpLogin::Step::CodeSent)
            interfaceVersion = outcome.interfaceVersion;
        if (outcome.step == TcpLogin::Step::NotLogin)
            link_.ResetReceive();
    }

    double interfaceVersion = 0;

private:
    CUnitLink& link_;
};
