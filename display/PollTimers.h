#pragma once

#include <QTimer>
#include <functional>
#include <map>
#include <memory>

// The main window's one-shot timers 1, 2, 3, 4, 5, 8, 9 and 10, one QTimer per id. A timer that
// fires hands its id to the handler, which kills it first and arms whatever comes next.
class PollTimers {
public:
    explicit PollTimers(std::function<void(int id)> onTimeout);

    static bool isKnownId(int id);

    void arm(int id, int intervalMs);
    void kill(int id);
    bool isArmed(int id) const;
    // The interval the timer was last armed with; -1 for an unknown id.
    int interval(int id) const;

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
};
