#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

struct mosquitto;
struct mosquitto_message;
class QSocketNotifier;

// A connection to an MQTT broker through libmosquitto, driven by the Qt event loop of the one
// thread: notifiers on the client's socket read and write, a timer runs its keep-alive. Nothing
// blocks but the name look-up of the broker.
class MqttClient : public QObject {
    Q_OBJECT

public:
    struct Broker {
        QString host;
        int port = 1883;
        // Empty: no login.
        QString username;
        QString password;
        // Empty: plain TCP; otherwise TLS, trusting the certificates of this file.
        QString caFile;
        int keepAliveSeconds = 30;
    };

    // clientId empty: the library makes one up.
    explicit MqttClient(const QString& clientId = {}, QObject* parent = nullptr);
    ~MqttClient() override;
    MqttClient(const MqttClient&) = delete;
    MqttClient& operator=(const MqttClient&) = delete;

    // What the broker publishes for us when the connection ends without a goodbye. Before
    // connectToBroker.
    void setWill(const QString& topic, const QByteArray& payload, bool retain);
    // Starts connecting; connected, connectionLost or refused tell how it went. False with
    // error when the settings themselves cannot be used (an unreadable CA file).
    bool connectToBroker(const Broker& broker, QString& error);
    // After connectionLost: tries the same broker again.
    void reconnect();
    // Sends DISCONNECT; disconnected follows.
    void disconnectFromBroker();
    bool isConnected() const { return state_ == State::Connected; }

    // The message id, or -1 when not connected or the client refused it. QoS 1 messages are
    // acknowledged through published.
    int publish(const QString& topic, const QByteArray& payload, int qos, bool retain);
    bool subscribe(const QString& pattern, int qos);

Q_SIGNALS:
    void connected();
    // The connection failed or broke; reconnect may bring it back.
    void connectionLost(const QString& reason);
    // The broker turned the login down or its certificate was not trusted: trying again will
    // not help.
    void refused(const QString& reason);
    void disconnected();
    void published(int messageId);
    void messageReceived(const QString& topic, const QByteArray& payload, bool retained);

private:
    enum class State { Idle, Connecting, Connected, Refused };

    static void onConnect(mosquitto*, void* self, int code);
    static void onDisconnect(mosquitto*, void* self, int code);
    static void onPublish(mosquitto*, void* self, int messageId);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message);

    void connectionAnswered(int code);
    void connectionEnded(int code);
    void failed(int code);
    void watchSocket();
    void dropSocket();
    void readSocket();
    void writeSocket();
    void runMisc();
    void followWrites();

    mosquitto* client_ = nullptr;
    State state_ = State::Idle;
    QSocketNotifier* reader_ = nullptr;
    QSocketNotifier* writer_ = nullptr;
    QTimer misc_;
};
