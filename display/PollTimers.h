#pragma once

#include <QTimer>
#include <functional>
#include <map>

// The main window's one-shot timers 1, 2, 3, 4, 5, 8, 9 and 10, one QTimer per id, children of
// their owner named as the ids are ("TIMER_ITEM"...). A timer that fires hands its id to the
// handler, which kills it first and arms whatever comes next.
class PollTimers {
public:
    PollTimers(QObject& owner, std::function<void(int id)> onTimeout);

    void arm(int id, int intervalMs);
    void kill(int id);

private:
    std::map<int, QTimer*> timers_;
};
