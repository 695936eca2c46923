#include "mqtt/MqttClient.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <mosquitto.h>

namespace {

// How often the client's keep-alive and retry bookkeeping runs.
constexpr int MiscIntervalMs = 1000;
// Refusals of the broker's CONNACK (MQTT 3.1.1): bad user name or password, not authorised.
constexpr int ConnackBadLogin = 4;
constexpr int ConnackNotAuthorised = 5;

QString errorText(int code)
{
    return QString::fromUtf8(mosquitto_strerror(code));
}

} // namespace

MqttClient::MqttClient(const QString& clientId, QObject* parent) : QObject(parent)
{
    mosquitto_lib_init();
    const QByteArray id = clientId.toUtf8();
    client_ = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, this);
    mosquitto_connect_callback_set(client_, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(client_, &MqttClient::onDisconnect);
    mosquitto_publish_callback_set(client_, &MqttClient::onPublish);
    mosquitto_message_callback_set(client_, &MqttClient::onMessage);
    misc_.setInterval(MiscIntervalMs);
    connect(&misc_, &QTimer::timeout, this, &MqttClient::runMisc);
}

MqttClient::~MqttClient()
{
    dropSocket();
    mosquitto_destroy(client_);
    mosquitto_lib_cleanup();
}

void MqttClient::setWill(const QString& topic, const QByteArray& payload, bool retain)
{
    mosquitto_will_set(client_, topic.toUtf8().constData(), static_cast<int>(payload.size()),
                       payload.constData(), 1, retain);
}

bool MqttClient::connectToBroker(const Broker& broker, QString& error)
{
    if (!broker.username.isEmpty())
        mosquitto_username_pw_set(client_, broker.username.toUtf8().constData(),
                                  broker.password.toUtf8().constData());
    if (!broker.caFile.isEmpty()) {
        if (!QFileInfo(broker.caFile).isReadable() ||
            mosquitto_tls_set(client_, QFile::encodeName(broker.caFile).constData(), nullptr,
                              nullptr, nullptr, nullptr) != MOSQ_ERR_SUCCESS) {
            error = QStringLiteral("Cannot use the CA certificates in %1.").arg(broker.caFile);
            return false;
        }
    }
    state_ = State::Connecting;
    const int code = mosquitto_connect_async(client_, broker.host.toUtf8().constData(), broker.port,
                                             broker.keepAliveSeconds);
    if (code != MOSQ_ERR_SUCCESS) {
        failed(code);
        return true;
    }
    watchSocket();
    return true;
}

void MqttClient::reconnect()
{
    dropSocket();
    state_ = State::Connecting;
    const int code = mosquitto_reconnect_async(client_);
    if (code != MOSQ_ERR_SUCCESS) {
        failed(code);
        return;
    }
    watchSocket();
}

void MqttClient::disconnectFromBroker()
{
    if (state_ != State::Connected) {
        dropSocket();
        state_ = State::Idle;
        Q_EMIT disconnected();
        return;
    }
    mosquitto_disconnect(client_);
    followWrites();
}

int MqttClient::publish(const QString& topic, const QByteArray& payload, int qos, bool retain)
{
    if (state_ != State::Connected)
        return -1;
    int id = 0;
    const int code =
        mosquitto_publish(client_, &id, topic.toUtf8().constData(),
                          static_cast<int>(payload.size()), payload.constData(), qos, retain);
    followWrites();
    return code == MOSQ_ERR_SUCCESS ? id : -1;
}

bool MqttClient::subscribe(const QString& pattern, int qos)
{
    const bool sent = state_ == State::Connected &&
                      mosquitto_subscribe(client_, nullptr, pattern.toUtf8().constData(), qos) ==
                          MOSQ_ERR_SUCCESS;
    followWrites();
    return sent;
}

// ---- libmosquitto's callbacks, called from within its read, write and misc steps

void MqttClient::onConnect(mosquitto*, void* self, int code)
{
    static_cast<MqttClient*>(self)->connectionAnswered(code);
}

void MqttClient::onDisconnect(mosquitto*, void* self, int code)
{
    static_cast<MqttClient*>(self)->connectionEnded(code);
}

void MqttClient::onPublish(mosquitto*, void* self, int messageId)
{
    Q_EMIT static_cast<MqttClient*>(self)->published(messageId);
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* message)
{
    Q_EMIT static_cast<MqttClient*>(self)->messageReceived(
        QString::fromUtf8(message->topic),
        QByteArray(static_cast<const char*>(message->payload), message->payloadlen),
        message->retain);
}

void MqttClient::connectionAnswered(int code)
{
    if (code == 0) {
        state_ = State::Connected;
        Q_EMIT connected();
        return;
    }
    const QString reason = QString::fromUtf8(mosquitto_connack_string(code));
    if (code == ConnackBadLogin || code == ConnackNotAuthorised) {
        state_ = State::Refused;
        Q_EMIT refused(QStringLiteral("The broker refused the login: %1").arg(reason));
        return;
    }
    state_ = State::Idle;
    Q_EMIT connectionLost(reason);
}

void MqttClient::connectionEnded(int code)
{
    if (code == MOSQ_ERR_SUCCESS) {
        state_ = State::Idle;
        Q_EMIT disconnected();
        return;
    }
    failed(code);
}

// Once per connection: the callback and the failed step may both report the same end.
void MqttClient::failed(int code)
{
    if (state_ == State::Idle || state_ == State::Refused)
        return;
    if (code == MOSQ_ERR_TLS) {
        state_ = State::Refused;
        Q_EMIT refused(QStringLiteral("The TLS connection to the broker failed; its "
                                      "certificate is not trusted by the CA file."));
        return;
    }
    state_ = State::Idle;
    Q_EMIT connectionLost(errorText(code));
}

// ---- The socket in the event loop

void MqttClient::watchSocket()
{
    dropSocket();
    const int socket = mosquitto_socket(client_);
    if (socket < 0)
        return;
    reader_ = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    writer_ = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    connect(reader_, &QSocketNotifier::activated, this, &MqttClient::readSocket);
    connect(writer_, &QSocketNotifier::activated, this, &MqttClient::writeSocket);
    followWrites();
    misc_.start();
}

// The notifiers may be inside their own signal: they go later, switched off now.
void MqttClient::dropSocket()
{
    misc_.stop();
    for (QSocketNotifier** notifier : {&reader_, &writer_}) {
        if (*notifier == nullptr)
            continue;
        (*notifier)->setEnabled(false);
        (*notifier)->deleteLater();
        *notifier = nullptr;
    }
}

void MqttClient::readSocket()
{
    const int code = mosquitto_loop_read(client_, 1);
    if (code != MOSQ_ERR_SUCCESS)
        failed(code);
    followWrites();
}

void MqttClient::writeSocket()
{
    const int code = mosquitto_loop_write(client_, 1);
    if (code != MOSQ_ERR_SUCCESS)
        failed(code);
    followWrites();
}

void MqttClient::runMisc()
{
    const int code = mosquitto_loop_misc(client_);
    if (code != MOSQ_ERR_SUCCESS && code != MOSQ_ERR_NO_CONN)
        failed(code);
    followWrites();
}

// The socket is watched for room to write only while the client has something to send; once
// it is closed it is not watched at all.
void MqttClient::followWrites()
{
    if (mosquitto_socket(client_) < 0) {
        dropSocket();
        return;
    }
    if (writer_ != nullptr)
        writer_->setEnabled(mosquitto_want_write(client_));
}
