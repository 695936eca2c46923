#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// SIGINT and SIGTERM while it lives: instead of ending the process at once they are noted, so
// that a repeating subcommand finishes what it prints and closes the link before it ends. A
// signal handler may only do async-signal-safe things, so it writes into a pipe that the event
// loop watches. One watcher per process.
class InterruptWatcher : public QObject {
public:
    InterruptWatcher();
    ~InterruptWatcher() override;
    InterruptWatcher(const InterruptWatcher&) = delete;
    InterruptWatcher& operator=(const InterruptWatcher&) = delete;

    bool interrupted() const { return interrupted_; }
    // Runs the event loop for ms milliseconds, less when a signal comes; false when interrupted.
    bool sleep(int ms);

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
    bool interrupted_ = false;
};
