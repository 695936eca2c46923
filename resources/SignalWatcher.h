#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so the simulator can shut down
// cleanly (remove its alias, save its image). A signal handler may only do async-signal-safe
// things, so it writes the signal number into a pipe that the event loop watches.
class SignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};
