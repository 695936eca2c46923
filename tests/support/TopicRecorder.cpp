#include "tests/support/TopicRecorder.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QTimer>

namespace {

constexpr int ReconnectPauseMs = 50;

} // namespace

TopicRecorder::TopicRecorder(quint16 port)
{
    connect(&client_, &MqttClient::connected, this,
            [this] { client_.subscribe(QStringLiteral("#"), 1); });
    connect(&client_, &MqttClient::connectionLost, this,
            [this] { QTimer::singleShot(ReconnectPauseMs, &client_, &MqttClient::reconnect); });
    connect(&client_, &MqttClient::messageReceived, this, &TopicRecorder::take);
    QString error;
    client_.connectToBroker({QStringLiteral("127.0.0.1"), port, {}, {}, {}, 30}, error);
}

void TopicRecorder::take(const QString& topic, const QByteArray& payload, bool retained)
{
    messages_[topic].append({payload, retained});
}

bool TopicRecorder::waitUntil(const std::function<bool()>& condition, int limitMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&client_, &MqttClient::messageReceived, &loop, [&] {
        if (condition())
            loop.quit();
    });
    limit.start(limitMs);
    loop.exec();
    return condition();
}

bool TopicRecorder::waitFor(const QString& topic, const QByteArray& payload, int limitMs)
{
    return waitUntil([&] { return last(topic).payload == payload; }, limitMs);
}

bool TopicRecorder::waitForAny(const QString& topic, int limitMs)
{
    return waitUntil([&] { return messages_.contains(topic); }, limitMs);
}

TopicRecorder::Message TopicRecorder::last(const QString& topic) const
{
    const QList<Message> all = messages_.value(topic);
    return all.isEmpty() ? Message{} : all.last();
}

QJsonObject TopicRecorder::json(const QString& topic) const
{
    return QJsonDocument::fromJson(last(topic).payload).object();
}
