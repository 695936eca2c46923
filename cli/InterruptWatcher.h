#pragma once

#include "resources/SignalWatcher.h"

// SIGINT and SIGTERM while it lives: instead of ending the process at once they are noted, so
// that a repeating subcommand finishes what it prints and closes the link before it ends.
class InterruptWatcher : public QObject {
public:
    InterruptWatcher();

    bool interrupted() const { return interrupted_; }
    // Runs the event loop for ms milliseconds, less when a signal comes; false when interrupted.
    bool sleep(int ms);

private:
    SignalWatcher signals_;
    bool interrupted_ = false;
};
