#pragma once

#include "display/PollReplies.h"
#include "link/LinkReceiver.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class CLiveItemTable;
class CUnitLink;
struct Settings;

// Reads the unit as the live display does, one request at a time and each from the reply of
// the one before: after the link opens (and over TCP has logged in) the start-up sequence's
// reads of the unit's configuration, then every round the chosen live items, the alarm states
// and status flags, the unit clock and both efficiency blocks. Every reply goes through the
// display's own PollReplies, so values, labels and unit texts are the display's.
class UnitReader : public QObject, public LinkReceiver {
    Q_OBJECT

public:
    // How long the network adapter may take to greet and accept the login.
    static constexpr int LoginLimitMs = 15000;

    UnitReader(CUnitLink& link, CLiveItemTable& items, const Settings& settings,
               QObject* parent = nullptr);

    void setItems(const QList<int>& items) { chosen_ = items; }
    const QList<int>& chosenItems() const { return chosen_; }
    const CLiveItemTable& items() const { return items_; }
    void setClock(std::function<QDateTime()> now) { replies_.setClock(std::move(now)); }

    // One round; roundRead or roundFailed follows. A closed link is opened first.
    void readRound();
    // Ends any round and closes the link: the next round starts over with the configuration.
    void close();
    UnitSnapshot snapshot() const { return replies_.snapshot(); }

    bool event(QEvent* event) override { return handleLinkEvent(event) || QObject::event(event); }
    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int) override;
    void onSerialStatus() override {}

Q_SIGNALS:
    void roundRead();
    void roundFailed(const QString& reason);

private:
    struct Step {
        std::uint8_t address;
        int length;
        std::uint16_t kind;
        std::uint16_t tag;
    };

    bool open();
    void planRound();
    bool loggedIn() const;
    void sendNext();
    void takeReply(int count, const LinkRequest& request);
    void onLogin(int count, const LinkRequest& request);
    void fail(const QString& reason);
    QString linkErrorText() const;

    CUnitLink& link_;
    CLiveItemTable& items_;
    PollReplies replies_;
    QList<int> chosen_;
    QList<Step> plan_;
    qsizetype next_ = 0;
    bool reading_ = false;
    bool configured_ = false;
    bool opening_ = false;
    bool closeAsked_ = false;
    QTimer limit_;
};
