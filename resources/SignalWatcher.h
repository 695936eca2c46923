#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns SIGINT and SIGTERM into a Qt signal on the event loop while it lives, so that a program
// can finish what it is doing and shut down cleanly instead of ending at once. A signal handler
// may only do async-signal-safe things, so it writes the signal number into a pipe that the event
// loop watches. One watcher per process.
class SignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

    // A write beyond the process's file-size limit then fails with an error that the code
    // writing the file deals with (cutting a half-written file back), instead of ending the
    // process part way through the write.
    static void ignoreFileSizeLimitSignal();

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};
