#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

// A unit on the far side of a real pseudo-terminal, answering each request frame it reads with
// whatever the test scripts. It runs on its own thread because the link blocks the test's
// thread for the whole exchange.
class ScriptedSerialUnit {
public:
    // Given a complete request frame, the bytes to send back (possibly none).
    using Responder = std::function<QByteArray(const QByteArray& frame)>;

    ScriptedSerialUnit();
    ~ScriptedSerialUnit();
    ScriptedSerialUnit(const ScriptedSerialUnit&) = delete;
    ScriptedSerialUnit& operator=(const ScriptedSerialUnit&) = delete;

    bool isOpen() const { return master_ >= 0; }
    // The device the program opens.
    QString devicePath() const { return devicePath_; }

    void respondWith(Responder responder);
    // The request frames received so far.
    QList<QByteArray> frames() const;
    // Bytes the unit sends right now, unasked.
    void send(const QByteArray& bytes);

private:
    void run();
    void takeFrames(QByteArray& pending);

    int master_ = -1;
    int slave_ = -1;
    QString devicePath_;
    mutable std::mutex mutex_;
    Responder responder_;
    QList<QByteArray> frames_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
