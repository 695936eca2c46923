#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A real mosquitto broker for the test, on a free port of 127.0.0.1 with a configuration of its
// own: anonymous clients welcome unless the test asks for logins or TLS.
class MosquittoBroker {
public:
    static constexpr const char* Program = "/usr/sbin/mosquitto";

    MosquittoBroker();
    ~MosquittoBroker();
    MosquittoBroker(const MosquittoBroker&) = delete;
    MosquittoBroker& operator=(const MosquittoBroker&) = delete;

    // Starts it (again, on the same port) with these lines added to its listener's
    // configuration; true once it says it is running.
    bool start(const QStringList& configuration = {});
    // SIGTERM, and waits for it to end.
    void stop();

    quint16 port() const { return port_; }
    // "127.0.0.1:PORT", as --mqtt takes it.
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    QString folder() const { return folder_.path(); }

    // Lines for a broker that only lets user in with password.
    QStringList loginConfiguration(const QString& user, const QString& password) const;
    // Lines for a TLS listener with a new self-signed certificate for localhost.
    QStringList tlsConfiguration() const;
    // A self-signed certificate in the broker's folder under name; its path.
    QString makeCertificate(const QString& name) const;

private:
    QTemporaryDir folder_;
    QProcess process_;
    quint16 port_ = 0;
    QString output_;
};
