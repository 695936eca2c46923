#pragma once

#include <QObject>
#include <QTimer>
#include <array>

// When to try a lost unit (or MQTT broker) again: after 1, 2, 5, 10 and 30 seconds, then every 30
// seconds, until a connection succeeds and the schedule starts from the first pause again. One
// one-shot timer carries the wait, so nothing spins while it runs; whoever retries listens to
// retryDue.
class ReconnectSchedule : public QObject {
    Q_OBJECT

public:
    static constexpr std::array<int, 5> PAUSES_S{1, 2, 5, 10, 30};

    explicit ReconnectSchedule(QObject* parent = nullptr);

    // How long one second of pause lasts on the timer; tests shorten it.
    void setMillisecondsPerSecond(int ms) { msPerSecond_ = ms; }

    // The pause before the next attempt, in seconds; each call moves the schedule on.
    int nextPauseSeconds();
    // A connection succeeded: the next loss starts from the first pause again.
    void reset();
    // Arms the timer with the next pause and returns it in seconds; retryDue follows.
    int retryLater();
    // Connect switched off: no retry is due any more.
    void cancel() { timer_.stop(); }
    bool isWaiting() const { return timer_.isActive(); }
    // Attempts since the last success (or since the start).
    int attempts() const { return attempts_; }

Q_SIGNALS:
    void retryDue();

private:
    QTimer timer_;
    int attempts_ = 0;
    int msPerSecond_ = 1000;
};
