#pragma once

#include "programming/WriteAcknowledgement.h"
#include "tests/support/RecordingReceiver.h"

#include <QList>

class CUnitLink;
class PromptService;

// Stands in for the Program Modes menu: owns the link's notifications, logs in over TCP, and
// checks the acknowledgement of every write handed to it, as the menu does.
class MenuStandIn : public RecordingReceiver {
public:
    MenuStandIn(CUnitLink& link, PromptService& prompts) : link_(link), prompts_(prompts) {}

    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;

    const QList<WriteAcknowledgement::Verdict>& verdicts() const { return verdicts_; }

private:
    void checkAcknowledgement(int count, const LinkRequest& request);

    CUnitLink& link_;
    PromptService& prompts_;
    QList<WriteAcknowledgement::Verdict> verdicts_;
};
