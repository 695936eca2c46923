#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>

// A program-side end of the simulator's serial line, without the program's link: the test
// writes frames and reads replies as bytes.
class RawPtyClient {
public:
    explicit RawPtyClient(const QString& devicePath);
    ~RawPtyClient();
    RawPtyClient(const RawPtyClient&) = delete;
    RawPtyClient& operator=(const RawPtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void send(const QByteArray& bytes);
    // Waits (running the event loop) until count bytes have come; returns what came.
    QByteArray receive(int count, int limitMs = 5000);

private:
    int fd_ = -1;
    QByteArray received_;
};

// The same over TCP.
class RawTcpClient {
public:
    explicit RawTcpClient(quint16 port);

    bool isConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void send(const QByteArray& bytes);
    QByteArray receive(int count, int limitMs = 5000);
    // Greeting, then the login code; true when the adapter answered 0.
    bool logIn();
    bool waitForDisconnect(int limitMs = 5000);
    int readEvents() const { return readEvents_; }

private:
    QTcpSocket socket_;
    QByteArray received_;
    int readEvents_ = 0;
};
