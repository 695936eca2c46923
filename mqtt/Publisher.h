#pragma once

#include "link/ReconnectSchedule.h"
#include "mqtt/MqttClient.h"
#include "mqtt/UnitTopics.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

class UnitReader;

// Reads the unit every interval and publishes each reading to the broker: the retained state
// object and item topics, the availability ("online" while the broker and the unit are both
// reached, "offline" otherwise and as the broker's last will) and, when asked, the discovery
// configurations. A lost unit or broker is tried again on its own reconnection schedule; each
// loss and each recovery is told once.
class Publisher : public QObject {
    Q_OBJECT

public:
    enum class Outcome { Stopped, BrokerRefused, BrokerFailed, UnitFailed };

    struct Options {
        int intervalMs = 10000;
        bool discovery = false;
        // One reading, then stop; a failure ends the run instead of being retried.
        bool once = false;
    };

    // How long stopping waits for the broker to take the last "offline".
    static constexpr int StopLimitMs = 5000;

    Publisher(UnitReader& reader, MqttClient& broker, UnitTopics topics, Options options,
              QObject* parent = nullptr);

    // How long one second of a retry pause lasts; tests shorten it.
    void setMillisecondsPerSecond(int ms)
    {
        unitRetry_.setMillisecondsPerSecond(ms);
        brokerRetry_.setMillisecondsPerSecond(ms);
    }
    // The PC's time in the state object; the wall clock unless a test sets one.
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }

    // False with error when the broker settings cannot be used.
    bool start(const MqttClient::Broker& broker, QString& error);
    // Publishes "offline", leaves the broker and closes the link; finished follows.
    void stop();

Q_SIGNALS:
    void unitLost(const QString& reason);
    void unitBack();
    void brokerLost(const QString& reason);
    void brokerBack();
    // The broker turned the login or the TLS connection down; the run ends.
    void brokerRefused(const QString& reason);
    void finished(Publisher::Outcome outcome);

private:
    void onRoundRead();
    void onRoundFailed(const QString& reason);
    void onBrokerConnected();
    void onBrokerLost(const QString& reason);
    void onBrokerRefused(const QString& reason);
    void onPublished(int messageId);

    void publishAll();
    void publishDiscovery();
    void publishReading();
    void publishAvailability();
    void finishOnce();
    void finish(Outcome outcome);
    // No more reads of the unit and no more attempts to reach the broker.
    void haltReading();

    UnitReader& reader_;
    MqttClient& broker_;
    UnitTopics topics_;
    Options options_;
    std::function<QDateTime()> now_ = [] { return QDateTime::currentDateTime(); };
    QTimer roundTimer_;
    QTimer stopLimit_;
    // Their attempts count the failures in a row since the unit or the broker was last reached.
    ReconnectSchedule unitRetry_;
    ReconnectSchedule brokerRetry_;
    bool unitUp_ = false;
    bool brokerUp_ = false;
    bool hasReading_ = false;
    bool discoverySent_ = false;
    bool stopping_ = false;
    bool finished_ = false;
    int offlineMessage_ = -1;
    // What this broker session last heard on the availability topic; empty at its start.
    QByteArray availability_;
};
