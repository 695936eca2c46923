#pragma once

#include "display/StatusLine.h"
#include "link/ReconnectSchedule.h"

#include <QObject>
#include <QString>

class CUnitLink;

// The poll cycle's memory of a lost unit while it reconnects by itself: what was lost and why,
// whether the display ran, and when to try again. Nothing here talks to the unit; the poll cycle
// reconnects when retryDue comes.
class LinkRecovery : public QObject {
    Q_OBJECT

public:
    explicit LinkRecovery(QObject* parent = nullptr);

    ReconnectSchedule& schedule() { return schedule_; }

    // The link was lost (failure names what happened and where): the retry is armed.
    void lost(const QString& failure, bool displayWasRunning);
    // A retry is going out now.
    void attempting(const QString& target);
    // The unit answered: the schedule starts over. Whether the display is to resume.
    bool recovered();
    // "Connect" switched off: no more retries.
    void stop();

    // Between a loss and the unit's first answer.
    bool isActive() const { return active_; }
    bool displayWasRunning() const { return resumeDisplay_; }
    // The loss and the retries while reconnecting; otherwise the link's state, and what went
    // wrong when the link is down though it should be up.
    StatusLine statusLine(const CUnitLink& link, bool linkWanted) const;

    static QString lostText(int pauseSeconds);

Q_SIGNALS:
    void retryDue();

private:
    ReconnectSchedule schedule_;
    StatusLine line_;
    bool active_ = false;
    bool resumeDisplay_ = false;
};
