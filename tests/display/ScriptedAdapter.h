#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

class UnitRecords;

// The unit's network adapter on a local TCP port: it greets each connection, accepts any
// 8-byte login code and then answers request frames from the unit's records.
class ScriptedAdapter {
public:
    explicit ScriptedAdapter(UnitRecords& records);

    bool listen();
    quint16 port() const { return server_.serverPort(); }
    // Request frames received after the login, without their 0x00 prefix.
    const QList<QByteArray>& frames() const { return frames_; }
    const QByteArray& loginCode() const { return loginCode_; }
    int connections() const { return connections_; }

private:
    void accept();
    void receive();
    void takeFrames();
    static int frameLength(const QByteArray& pending);

    UnitRecords& records_;
    QTcpServer server_;
    QPointer<QTcpSocket> socket_;
    QByteArray pending_;
    QByteArray loginCode_;
    QList<QByteArray> frames_;
    int connections_ = 0;
};
