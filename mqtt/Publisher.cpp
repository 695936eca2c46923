#include "mqtt/Publisher.h"

#include "mqtt/DiscoveryConfigs.h"
#include "mqtt/ReadingMessages.h"
#include "mqtt/UnitReader.h"

#include <QJsonDocument>

namespace {

const QByteArray Online = QByteArrayLiteral("online");
const QByteArray Offline = QByteArrayLiteral("offline");
// Availability and discovery must arrive; a reading lost in transit is replaced by the next.
constexpr int SureQos = 1;
constexpr int ReadingQos = 0;

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

Publisher::Publisher(UnitReader& reader, MqttClient& broker, UnitTopics topics, Options options,
                     QObject* parent)
    : QObject(parent), reader_(reader), broker_(broker), topics_(std::move(topics)),
      options_(options)
{
    for (QTimer* timer : {&roundTimer_, &stopLimit_})
        timer->setSingleShot(true);
    connect(&roundTimer_, &QTimer::timeout, &reader_, &UnitReader::readRound);
    connect(&unitRetry_, &ReconnectSchedule::retryDue, &reader_, &UnitReader::readRound);
    connect(&brokerRetry_, &ReconnectSchedule::retryDue, &broker_, &MqttClient::reconnect);
    connect(&stopLimit_, &QTimer::timeout, &broker_, &MqttClient::disconnectFromBroker);
    connect(&reader_, &UnitReader::roundRead, this, &Publisher::onRoundRead);
    connect(&reader_, &UnitReader::roundFailed, this, &Publisher::onRoundFailed);
    connect(&broker_, &MqttClient::connected, this, &Publisher::onBrokerConnected);
    connect(&broker_, &MqttClient::connectionLost, this, &Publisher::onBrokerLost);
    connect(&broker_, &MqttClient::refused, this, &Publisher::onBrokerRefused);
    connect(&broker_, &MqttClient::published, this, &Publisher::onPublished);
    connect(&broker_, &MqttClient::disconnected, this, [this] { finish(Outcome::Stopped); });
}

bool Publisher::start(const MqttClient::Broker& broker, QString& error)
{
    broker_.setWill(topics_.availability(), Offline, true);
    if (!broker_.connectToBroker(broker, error))
        return false;
    // With --once a broker that cannot be reached at all has ended the run already.
    if (!finished_)
        reader_.readRound();
    return true;
}

void Publisher::stop()
{
    if (stopping_)
        return;
    stopping_ = true;
    haltReading();
    if (!broker_.isConnected()) {
        broker_.disconnectFromBroker();
        return;
    }
    offlineMessage_ = broker_.publish(topics_.availability(), Offline, SureQos, true);
    stopLimit_.start(StopLimitMs);
}

// ---- The unit

void Publisher::onRoundRead()
{
    if (stopping_ || finished_)
        return;
    if (unitRetry_.attempts() > 0)
        Q_EMIT unitBack();
    unitRetry_.reset();
    unitUp_ = true;
    hasReading_ = true;
    publishAll();
    if (options_.once)
        finishOnce();
    else
        roundTimer_.start(options_.intervalMs);
}

void Publisher::onRoundFailed(const QString& reason)
{
    if (stopping_ || finished_)
        return;
    if (unitRetry_.attempts() == 0)
        Q_EMIT unitLost(reason);
    if (options_.once) {
        finish(Outcome::UnitFailed);
        return;
    }
    unitUp_ = false;
    publishAvailability();
    unitRetry_.retryLater();
}

// ---- The broker

void Publisher::onBrokerConnected()
{
    if (brokerRetry_.attempts() > 0)
        Q_EMIT brokerBack();
    brokerRetry_.reset();
    brokerUp_ = true;
    availability_.clear();
    discoverySent_ = false;
    publishAll();
    if (options_.once && hasReading_)
        finishOnce();
}

void Publisher::onBrokerLost(const QString& reason)
{
    brokerUp_ = false;
    if (stopping_) {
        finish(Outcome::Stopped);
        return;
    }
    if (brokerRetry_.attempts() == 0)
        Q_EMIT brokerLost(reason);
    if (options_.once) {
        finish(Outcome::BrokerFailed);
        return;
    }
    brokerRetry_.retryLater();
}

void Publisher::onBrokerRefused(const QString& reason)
{
    brokerUp_ = false;
    Q_EMIT brokerRefused(reason);
    finish(Outcome::BrokerRefused);
}

void Publisher::onPublished(int messageId)
{
    if (stopping_ && messageId == offlineMessage_) {
        stopLimit_.stop();
        broker_.disconnectFromBroker();
    }
}

// ---- Messages

void Publisher::publishAll()
{
    if (!brokerUp_)
        return;
    if (hasReading_ && options_.discovery && !discoverySent_)
        publishDiscovery();
    publishAvailability();
    if (hasReading_ && unitUp_)
        publishReading();
}

// After a reading, so that the labels and the firmware version are the unit's.
void Publisher::publishDiscovery()
{
    const UnitSnapshot said = reader_.snapshot();
    const QList<int>& chosen = reader_.chosenItems();
    DiscoveryConfigs configs(topics_, reader_.items(), chosen, said);
    for (const DiscoveryConfigs::Message& message : configs.messages())
        broker_.publish(message.topic, compact(message.config), SureQos, true);
    discoverySent_ = true;
}

void Publisher::publishReading()
{
    const UnitSnapshot said = reader_.snapshot();
    const QList<int>& chosen = reader_.chosenItems();
    const ReadingMessages reading(reader_.items(), chosen, said, now_());
    broker_.publish(topics_.state(), compact(reading.state()), ReadingQos, true);
    for (int n : chosen) {
        const QByteArray payload = reading.itemPayload(n);
        if (!payload.isEmpty())
            broker_.publish(topics_.item(n), payload, ReadingQos, true);
    }
}

void Publisher::publishAvailability()
{
    const QByteArray& now = unitUp_ ? Online : Offline;
    if (!brokerUp_ || now == availability_)
        return;
    if (broker_.publish(topics_.availability(), now, SureQos, true) >= 0)
        availability_ = now;
}

// The reading is out once the broker is reached; the run ends as a stop does.
void Publisher::finishOnce()
{
    if (brokerUp_)
        stop();
}

void Publisher::finish(Outcome outcome)
{
    if (finished_)
        return;
    finished_ = true;
    stopLimit_.stop();
    haltReading();
    Q_EMIT finished(outcome);
}

void Publisher::haltReading()
{
    roundTimer_.stop();
    unitRetry_.cancel();
    brokerRetry_.cancel();
    reader_.close();
}
