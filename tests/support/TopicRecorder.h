#pragma once

#include "mqtt/MqttClient.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

// A subscriber to every topic of a test's broker: keeps each topic's messages in order and
// subscribes again by itself after the broker restarts.
class TopicRecorder : public QObject {
public:
    struct Message {
        QByteArray payload;
        bool retained = false;
    };

    static constexpr int WaitLimitMs = 15000;

    explicit TopicRecorder(quint16 port);

    // Runs the event loop until condition holds after a message, at most limitMs.
    bool waitUntil(const std::function<bool()>& condition, int limitMs = WaitLimitMs);
    // Until the topic's last message is payload.
    bool waitFor(const QString& topic, const QByteArray& payload, int limitMs = WaitLimitMs);
    // Until the topic has had a message.
    bool waitForAny(const QString& topic, int limitMs = WaitLimitMs);

    QList<Message> messages(const QString& topic) const { return messages_.value(topic); }
    Message last(const QString& topic) const;
    QJsonObject json(const QString& topic) const;

private:
    void take(const QString& topic, const QByteArray& payload, bool retained);

    MqttClient client_;
    QHash<QString, QList<Message>> messages_;
};
