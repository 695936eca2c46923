#pragma once

#include "simulator/Transmission.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// Sends the unit's bursts in order and on time: after the reply latency, with the pauses the
// bursts ask for, and - when paced - one byte every 1/240 s as on a 2400-baud line, the
// unit not starting its reply before the request could have arrived at that speed.
class OutboundQueue : public QObject {
    Q_OBJECT

public:
    static constexpr double ByteMs = 1000.0 / 240.0; // 10 bits at 2400 baud

    OutboundQueue(std::function<void(const QByteArray&)> send, std::function<void()> hangUp,
                  QObject* parent = nullptr);

    void setPaced(bool paced) { paced_ = paced; }
    void setLatencyMs(int latencyMs) { latencyMs_ = latencyMs; }

    // Bursts that answer a request of requestBytes bytes.
    void reply(const QList<Transmission>& bursts, int requestBytes);
    // Bursts the unit sends of its own accord (the greeting, the login answer).
    void send(const QList<Transmission>& bursts);

private:
    struct Pending {
        Transmission burst;
        double dueMs = -1; // set when the burst reaches the front
        int sent = 0;
    };

    double nowMs() const;
    void append(const QList<Transmission>& bursts, int firstDelayMs);
    void pump();
    void armFront();
    bool sendDue(Pending& front);
    void wakeAt(double dueMs);

    std::function<void(const QByteArray&)> send_;
    std::function<void()> hangUp_;
    bool paced_ = false;
    int latencyMs_ = 0;
    QList<Pending> queue_;
    QElapsedTimer clock_;
    QTimer timer_;
};
